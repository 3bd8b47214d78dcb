#include <QString>
#include <cerrno>

#include "catalogue/file/CatalogueLock.h"
#include "catalogue/file/winfile.h"

struct CatalogueLock::Handle {
  winfile::Handle file = winfile::invalidHandle();
  ~Handle() { winfile::close(file); }
};

CatalogueLock::CatalogueLock() = default;

CatalogueLock::~CatalogueLock() { release(); }

CatalogueLock::Result CatalogueLock::acquire(const QString& path) {
  release();
  auto handle = std::make_unique<Handle>();
  handle->file = winfile::openLocked(path.toStdWString().c_str(), m_errno);
  if (handle->file == winfile::invalidHandle()) return m_errno == EAGAIN ? Result::HeldElsewhere : Result::Failed;
  m_errno = 0;
  m_handle = std::move(handle);
  return Result::Acquired;
}

void CatalogueLock::release() { m_handle.reset(); }
