#pragma once

// The raw Windows file calls under the catalogue, kept apart from Qt. Every
// failure reports an errno value (ENOSPC, EACCES, ...) so that the messages
// read the same on every system.
#include <cstdint>

#include "catalogue/ByteFile.h"

namespace winfile {

using Handle = void*;

Handle invalidHandle();
// A path in UTF-16. For writing, opens or creates; for reading, opens only an
// existing file. Other programs may read, write and rename the file meanwhile.
Handle open(const wchar_t* path, bool forWriting, int& error);
// Makes a new file for reading and writing; EEXIST when anything, a link
// included, has the name already.
Handle createNew(const wchar_t* path, int& error);
void close(Handle handle);
// The count moved (0 at the end of the file for a read), or -1.
std::int64_t readAt(Handle handle, std::int64_t offset, char* buffer, std::int64_t length, int& error);
std::int64_t writeAt(Handle handle, std::int64_t offset, const char* data, std::int64_t length, int& error);
std::int64_t size(Handle handle, int& error);
bool truncate(Handle handle, std::int64_t length, int& error);
bool sync(Handle handle, int& error);
// True while `path` names the very file the handle has open.
bool sameFile(Handle handle, const wchar_t* path, int& error);
// An exclusive lock on one byte, not waiting; held until the handle closes.
// EAGAIN when another handle holds it.
bool lockByte(Handle handle, std::uint64_t offset, int& error);

int errnoFor(unsigned long systemError);

// Renames `from` to `to` in one step, replacing a file already at `to`, and
// waits until the move is on the disk.
bool replaceFile(const wchar_t* from, const wchar_t* to, int& error);
// Makes a folder in an existing one; true when it is there already. ENOTDIR
// when a file has its name.
bool makeFolder(const wchar_t* path, int& error);

// Opens `path` for editing (creating it when missing) and takes the editor's
// lock on it, held until the handle closes. On failure invalidHandle(), with
// `error` EAGAIN while another editor holds the lock.
Handle openLocked(const wchar_t* path, int& error);

// One open catalogue file: the calls above behind the byte-file seam, keeping
// the error number of the last failure.
class File : public ByteFile {
 public:
  ~File() override { close(); }
  bool open(const wchar_t* path, bool forWriting);
  bool createNew(const wchar_t* path);
  bool stillAt(const wchar_t* path) { return sameFile(m_handle, path, m_errno); }
  void close() override;
  bool isOpen() const override { return m_handle != invalidHandle(); }
  long long readAt(long long offset, char* buffer, long long length) override {
    return winfile::readAt(m_handle, offset, buffer, length, m_errno);
  }
  long long writeAt(long long offset, const char* data, long long length) override {
    return winfile::writeAt(m_handle, offset, data, length, m_errno);
  }
  long long size() override { return winfile::size(m_handle, m_errno); }
  bool truncate(long long length) override { return winfile::truncate(m_handle, length, m_errno); }
  bool sync() override { return winfile::sync(m_handle, m_errno); }
  int lastErrno() const override { return m_errno; }

 private:
  Handle m_handle = invalidHandle();
  int m_errno = 0;
};

}  // namespace winfile
