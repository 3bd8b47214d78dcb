#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

// The system calls under the catalogue file, behind one seam so that tests can
// fail any of them. Every call reports the system's error number on failure.
class FileIo {
 public:
  enum class Mode { ReadWrite, ReadOnly };

  virtual ~FileIo() = default;
  // ReadWrite creates a missing file empty; ReadOnly never creates anything.
  virtual bool open(const QString& path, Mode mode) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  // Reads up to `length` bytes at `offset`; returns the count (0 at the end)
  // or -1 on failure.
  virtual qint64 readAt(qint64 offset, char* buffer, qint64 length) = 0;
  // Returns the count written (possibly short) or -1 on failure.
  virtual qint64 writeAt(qint64 offset, const char* data, qint64 length) = 0;
  virtual qint64 size() = 0;
  virtual bool truncate(qint64 length) = 0;
  // Data to stable storage.
  virtual bool sync() = 0;
  // True while `path` still names the file that is open (not replaced or deleted).
  virtual bool stillAt(const QString& path) = 0;
  // The system's error number of the last failed call.
  virtual int lastErrno() const = 0;
};

// The operating system's file calls.
std::unique_ptr<FileIo> makeSystemFileIo();

// Makes the file I/O for each opening of the catalogue; tests substitute one
// that fails a chosen call.
class FileIoFactory {
 public:
  virtual ~FileIoFactory() = default;
  virtual std::unique_ptr<FileIo> make() = 0;
};

class SystemFileIoFactory : public FileIoFactory {
 public:
  std::unique_ptr<FileIo> make() override { return makeSystemFileIo(); }
};
