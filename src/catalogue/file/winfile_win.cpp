#include <windows.h>

#include <algorithm>
#include <cerrno>

#include "catalogue/file/winfile.h"

namespace winfile {
namespace {

// One ReadFile or WriteFile moves at most this much.
constexpr std::int64_t kChunk = 1 << 30;

OVERLAPPED at(std::uint64_t offset) {
  OVERLAPPED ov{};
  ov.Offset = DWORD(offset & 0xFFFFFFFFu);
  ov.OffsetHigh = DWORD(offset >> 32);
  return ov;
}

bool failed(int& error) {
  error = errnoFor(GetLastError());
  return false;
}

}  // namespace

int errnoFor(unsigned long systemError) {
  switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
      return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EBUSY;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILE_TOO_LARGE:
      return EFBIG;
    case ERROR_INVALID_HANDLE:
      return EBADF;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    default:
      return EIO;
  }
}

Handle invalidHandle() { return INVALID_HANDLE_VALUE; }

bool replaceFile(const wchar_t* from, const wchar_t* to, int& error) {
  return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) || failed(error);
}

bool makeFolder(const wchar_t* path, int& error) {
  if (CreateDirectoryW(path, nullptr)) return true;
  const DWORD failure = GetLastError();
  if (failure != ERROR_ALREADY_EXISTS) {
    error = errnoFor(failure);
    return false;
  }
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  error = ENOTDIR;
  return false;
}

Handle open(const wchar_t* path, bool forWriting, int& error) {
  const DWORD access = forWriting ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
  const HANDLE h = CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               forWriting ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) return h;
  failed(error);
  // Windows refuses to open a folder as a missing permission; the user is
  // told there is a folder by that name, as on other systems.
  const DWORD attributes = error == EACCES ? GetFileAttributesW(path) : INVALID_FILE_ATTRIBUTES;
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) error = EISDIR;
  return h;
}

Handle createNew(const wchar_t* path, int& error) {
  const HANDLE h =
      CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) failed(error);
  return h;
}

void close(Handle handle) {
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
}

std::int64_t readAt(Handle handle, std::int64_t offset, char* buffer, std::int64_t length, int& error) {
  std::int64_t done = 0;
  while (done < length) {
    OVERLAPPED ov = at(std::uint64_t(offset + done));
    DWORD got = 0;
    if (!ReadFile(handle, buffer + done, DWORD(std::min(length - done, kChunk)), &got, &ov)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      failed(error);
      return -1;
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

std::int64_t writeAt(Handle handle, std::int64_t offset, const char* data, std::int64_t length, int& error) {
  std::int64_t done = 0;
  while (done < length) {
    OVERLAPPED ov = at(std::uint64_t(offset + done));
    DWORD put = 0;
    if (!WriteFile(handle, data + done, DWORD(std::min(length - done, kChunk)), &put, &ov)) {
      failed(error);
      return done > 0 ? done : -1;
    }
    if (put == 0) {
      error = ENOSPC;
      break;
    }
    done += put;
  }
  return done;
}

std::int64_t size(Handle handle, int& error) {
  LARGE_INTEGER length;
  if (!GetFileSizeEx(handle, &length)) {
    failed(error);
    return -1;
  }
  return length.QuadPart;
}

bool truncate(Handle handle, std::int64_t length, int& error) {
  LARGE_INTEGER to;
  to.QuadPart = length;
  if (!SetFilePointerEx(handle, to, nullptr, FILE_BEGIN) || !SetEndOfFile(handle)) return failed(error);
  return true;
}

bool sync(Handle handle, int& error) { return FlushFileBuffers(handle) || failed(error); }

bool sameFile(Handle handle, const wchar_t* path, int& error) {
  BY_HANDLE_FILE_INFORMATION open, named;
  if (!GetFileInformationByHandle(handle, &open)) return failed(error);
  // No access rights needed just to look at the file's identity.
  const HANDLE other = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (other == INVALID_HANDLE_VALUE) return failed(error);
  const bool ok = GetFileInformationByHandle(other, &named);
  if (!ok) failed(error);
  CloseHandle(other);
  return ok && open.dwVolumeSerialNumber == named.dwVolumeSerialNumber && open.nFileIndexHigh == named.nFileIndexHigh &&
         open.nFileIndexLow == named.nFileIndexLow;
}

bool lockByte(Handle handle, std::uint64_t offset, int& error) {
  OVERLAPPED ov = at(offset);
  if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov)) return true;
  const DWORD why = GetLastError();
  error = why == ERROR_LOCK_VIOLATION || why == ERROR_IO_PENDING ? EAGAIN : errnoFor(why);
  return false;
}

Handle openLocked(const wchar_t* path, int& error) {
  const Handle h = open(path, true, error);
  // One byte far beyond any catalogue: Windows locks are mandatory, and readers never reach it.
  if (h != INVALID_HANDLE_VALUE && !lockByte(h, 0x7FFFFFFF00000000ULL, error)) {
    CloseHandle(h);
    return INVALID_HANDLE_VALUE;
  }
  return h;
}

bool File::open(const wchar_t* path, bool forWriting) {
  close();
  m_handle = winfile::open(path, forWriting, m_errno);
  return isOpen();
}

bool File::createNew(const wchar_t* path) {
  close();
  m_handle = winfile::createNew(path, m_errno);
  return isOpen();
}

void File::close() {
  winfile::close(m_handle);
  m_handle = INVALID_HANDLE_VALUE;
}

}  // namespace winfile
