#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

#include "catalogue/ByteFile.h"

// The system calls under the catalogue file, behind one seam so that tests can
// fail any of them: the byte calls of ByteFile plus opening by name.
class FileIo : public ByteFile {
 public:
  enum class Mode { ReadWrite, ReadOnly, CreateNew };

  // ReadWrite creates a missing file empty; ReadOnly never creates anything.
  // CreateNew makes a new file for reading and writing, readable by its owner
  // only, and fails (EEXIST) when anything has the name already, a symbolic
  // link included: a working file can never be redirected onto another file.
  virtual bool open(const QString& path, Mode mode) = 0;
  // True while `path` still names the file that is open (not replaced or deleted).
  virtual bool stillAt(const QString& path) = 0;
  // The open file's permission bits (0644), or -1 where the system keeps
  // none of that kind (Windows, where a new file inherits its folder's).
  virtual int permissions() = 0;
  // Gives the open file these permission bits; true where there are none.
  virtual bool setPermissions(int bits) = 0;
  // Starts writing these bytes to the disk without waiting for them, so that
  // a later sync() has less left to do. Only a hint: a failure of the
  // writing shows in that sync().
  virtual void startWriteBack(qint64 offset, qint64 length) {
    Q_UNUSED(offset);
    Q_UNUSED(length);
  }
};

// The operating system's file calls.
std::unique_ptr<FileIo> makeSystemFileIo();

// Renames `from` to `to` in one step, replacing a file already at `to`, so
// that `to` is always either the old file or the new one. On failure the
// system's error number goes to `error`.
bool replaceFile(const QString& from, const QString& to, int* error);
// Makes a folder inside an existing one; true when it is there already.
// ENOTDIR when a file has its name.
bool makeFolder(const QString& path, int* error);

// True when both names lead to one file (the same device and inode; the
// same volume and file ID on Windows), whatever names, links or case.
inline bool sameFile(const QString& a, const QString& b) {
  std::unique_ptr<FileIo> io = makeSystemFileIo();
  return io->open(a, FileIo::Mode::ReadOnly) && io->stillAt(b);
}

// The permission bits an ordinary new file gets (0666 less the user's
// umask), or -1 where the system keeps none of that kind.
int ordinaryFilePermissions();

// Makes a name just created or renamed in the folder of `path` survive a
// power cut; best effort, where the file system allows it.
void syncFolderOf(const QString& path);

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
