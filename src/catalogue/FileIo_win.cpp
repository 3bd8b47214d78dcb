#include <QString>

#include "catalogue/FileIo.h"
#include "catalogue/winfile.h"

namespace {

class WinFileIo : public FileIo {
 public:
  ~WinFileIo() override { close(); }

  bool open(const QString& path, Mode mode) override {
    close();
    m_handle = winfile::open(path.toStdWString().c_str(), mode == Mode::ReadWrite, m_errno);
    return isOpen();
  }
  void close() override {
    winfile::close(m_handle);
    m_handle = winfile::invalidHandle();
  }
  bool isOpen() const override { return m_handle != winfile::invalidHandle(); }
  qint64 readAt(qint64 offset, char* buffer, qint64 length) override {
    return winfile::readAt(m_handle, offset, buffer, length, m_errno);
  }
  qint64 writeAt(qint64 offset, const char* data, qint64 length) override {
    return winfile::writeAt(m_handle, offset, data, length, m_errno);
  }
  qint64 size() override { return winfile::size(m_handle, m_errno); }
  bool truncate(qint64 length) override { return winfile::truncate(m_handle, length, m_errno); }
  bool sync() override { return winfile::sync(m_handle, m_errno); }
  bool stillAt(const QString& path) override {
    return winfile::sameFile(m_handle, path.toStdWString().c_str(), m_errno);
  }
  int lastErrno() const override { return m_errno; }

 private:
  winfile::Handle m_handle = winfile::invalidHandle();
  int m_errno = 0;
};

}  // namespace

std::unique_ptr<FileIo> makeSystemFileIo() { return std::make_unique<WinFileIo>(); }
