// Holds a shared lock on bytes of a file, as a backup or virus scanner might,
// so that every other program's writes there fail while reads go on. Takes
// the lock, creates READY_FILE, and lets go once READY_FILE is gone.
// usage: holdrange.exe FILE OFFSET LENGTH READY_FILE
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fputs("usage: holdrange.exe FILE OFFSET LENGTH READY_FILE\n", stderr);
    return 2;
  }
  HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const unsigned long long offset = std::wcstoull(argv[2], nullptr, 10);
  const unsigned long long length = std::wcstoull(argv[3], nullptr, 10);
  OVERLAPPED at{};
  at.Offset = DWORD(offset);
  at.OffsetHigh = DWORD(offset >> 32);
  if (!LockFileEx(file, LOCKFILE_FAIL_IMMEDIATELY | LOCKFILE_EXCLUSIVE_LOCK, 0, DWORD(length), DWORD(length >> 32),
                  &at))
    return 1;
  HANDLE ready = CreateFileW(argv[4], GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(ready);
  while (GetFileAttributesW(argv[4]) != INVALID_FILE_ATTRIBUTES) Sleep(100);
  CloseHandle(file);
  return 0;
}
