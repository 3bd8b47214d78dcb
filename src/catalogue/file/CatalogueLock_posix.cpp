#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "catalogue/file/CatalogueLock.h"
#include "catalogue/file/posixfile.h"

struct CatalogueLock::Handle {
  int fd = -1;
  ~Handle() {
    if (fd >= 0) ::close(fd);
  }
};

CatalogueLock::CatalogueLock() = default;

CatalogueLock::~CatalogueLock() { release(); }

CatalogueLock::Result CatalogueLock::acquire(const QString& path) {
  release();
  auto handle = std::make_unique<Handle>();
  handle->fd = posixfile::openForEditing(path);
  if (handle->fd < 0) {
    m_errno = errno;
    return Result::Failed;
  }
#ifdef F_OFD_SETLK
  // An open-file-description lock belongs to this descriptor alone: closing
  // another descriptor of the same file elsewhere in the program keeps it.
  // One byte far beyond any catalogue, so that the lock never stands in a reader's way.
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = off_t(0x7FFFFFFF00000000LL);
  lock.l_len = 1;
  const int rc = ::fcntl(handle->fd, F_OFD_SETLK, &lock);
#else
  const int rc = ::flock(handle->fd, LOCK_EX | LOCK_NB);
#endif
  if (rc != 0) {
    m_errno = errno;
    return m_errno == EAGAIN || m_errno == EACCES || m_errno == EWOULDBLOCK ? Result::HeldElsewhere : Result::Failed;
  }
  m_errno = 0;
  m_handle = std::move(handle);
  return Result::Acquired;
}

void CatalogueLock::release() { m_handle.reset(); }
