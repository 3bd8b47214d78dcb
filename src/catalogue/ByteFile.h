#pragma once

// The byte-level calls under the catalogue file, without Qt, so that the
// record rules and the Windows file layer also build into plain test drivers.
// Every call reports the system's error number on failure.
class ByteFile {
 public:
  virtual ~ByteFile() = default;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  // Reads up to `length` bytes at `offset`; returns the count (0 at the end)
  // or -1 on failure.
  virtual long long readAt(long long offset, char* buffer, long long length) = 0;
  // Returns the count written (possibly short) or -1 on failure.
  virtual long long writeAt(long long offset, const char* data, long long length) = 0;
  virtual long long size() = 0;
  virtual bool truncate(long long length) = 0;
  // Data to stable storage.
  virtual bool sync() = 0;
  // The system's error number of the last failed call.
  virtual int lastErrno() const = 0;
};
