#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

#include "catalogue/file/FileIo.h"
#include "catalogue/file/posixfile.h"

namespace {

// Without O_NONBLOCK a pipe in the file's place would hang the opening until
// some other program wrote into it; regular files ignore the flag.
int openRetrying(const QByteArray& path, int flags, mode_t created = 0666) {
  int fd;
  do fd = ::open(path.constData(), flags | O_CLOEXEC | O_NONBLOCK, created);
  while (fd < 0 && errno == EINTR);
  return fd;
}

class PosixFileIo : public FileIo {
 public:
  ~PosixFileIo() override { close(); }

  bool open(const QString& path, Mode mode) override {
    close();
    const int fd = mode == Mode::ReadWrite ? posixfile::openForEditing(path)
                   : mode == Mode::CreateNew
                       ? openRetrying(QFile::encodeName(path), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, 0600)
                       : openRetrying(QFile::encodeName(path), O_RDONLY);
    if (fd < 0) return failed();
    // A folder, pipe or device opens fine but cannot hold records: refuse it at once.
    struct stat st;
    if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
      ::close(fd);
      m_errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
      return false;
    }
    m_fd = fd;
    return true;
  }

  void close() override {
    if (m_fd < 0) return;
    // The descriptor is gone whatever close() says; retrying could close another file's.
    ::close(m_fd);
    m_fd = -1;
  }

  bool isOpen() const override { return m_fd >= 0; }

  qint64 readAt(qint64 offset, char* buffer, qint64 length) override {
    qint64 done = 0;
    while (done < length) {
      const ssize_t n = ::pread(m_fd, buffer + done, size_t(length - done), off_t(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        failed();
        return -1;
      }
      if (n == 0) break;
      done += n;
    }
    return done;
  }

  qint64 writeAt(qint64 offset, const char* data, qint64 length) override {
    qint64 done = 0;
    while (done < length) {
      const ssize_t n = ::pwrite(m_fd, data + done, size_t(length - done), off_t(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        failed();
        return done > 0 ? done : -1;
      }
      if (n == 0) {
        m_errno = ENOSPC;
        break;
      }
      done += n;
    }
    return done;
  }

  qint64 size() override {
    struct stat st;
    if (::fstat(m_fd, &st) != 0) {
      failed();
      return -1;
    }
    return st.st_size;
  }

  bool truncate(qint64 length) override {
    int rc;
    do rc = ::ftruncate(m_fd, off_t(length));
    while (rc != 0 && errno == EINTR);
    return rc == 0 || failed();
  }

  bool sync() override {
    int rc;
#ifdef __APPLE__
    do rc = ::fsync(m_fd);
#else
    do rc = ::fdatasync(m_fd);
#endif
    while (rc != 0 && errno == EINTR);
    return rc == 0 || failed();
  }

#ifdef Q_OS_LINUX
  void startWriteBack(qint64 offset, qint64 length) override {
    ::sync_file_range(m_fd, off_t(offset), off_t(length), SYNC_FILE_RANGE_WRITE);
  }
#endif

  bool stillAt(const QString& path) override {
    struct stat open, named;
    if (::fstat(m_fd, &open) != 0) return failed();
    if (::stat(QFile::encodeName(path).constData(), &named) != 0) return failed();
    return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
  }

  int permissions() override {
    struct stat st;
    if (::fstat(m_fd, &st) != 0) {
      failed();
      return -1;
    }
    return int(st.st_mode & 07777);
  }

  bool setPermissions(int bits) override { return ::fchmod(m_fd, mode_t(bits)) == 0 || failed(); }

  int lastErrno() const override { return m_errno; }

 private:
  // Keeps errno for the caller; always false so failures can return it.
  bool failed() {
    m_errno = errno;
    return false;
  }

  int m_fd = -1;
  int m_errno = 0;
};

}  // namespace

int posixfile::openForEditing(const QString& path) {
  const QByteArray native = QFile::encodeName(path);
  int fd = openRetrying(native, O_RDWR);
  if (fd < 0 && errno == ENOENT) {
    fd = openRetrying(native, O_RDWR | O_CREAT | O_EXCL);
    if (fd >= 0) syncFolderOf(path);
    // Another program created it in between: open theirs.
    else if (errno == EEXIST)
      fd = openRetrying(native, O_RDWR);
  }
  return fd;
}

std::unique_ptr<FileIo> makeSystemFileIo() { return std::make_unique<PosixFileIo>(); }

bool replaceFile(const QString& from, const QString& to, int* error) {
  if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0) return true;
  if (error) *error = errno;
  return false;
}

int ordinaryFilePermissions() {
  // The umask can only be read by setting it; put back at once.
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return int(0666 & ~mask);
}

bool makeFolder(const QString& path, int* error) {
  if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0) return true;
  const int failure = errno;
  if (failure == EEXIST && QFileInfo(path).isDir()) return true;
  if (error) *error = failure == EEXIST ? ENOTDIR : failure;
  return false;
}

// Some file systems cannot sync a folder.
void syncFolderOf(const QString& path) {
  const int dir = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);
  ::close(dir);
}
