#include <QString>

#include "catalogue/file/FileIo.h"
#include "catalogue/file/winfile.h"

namespace {

// The paths in UTF-16 for the Windows calls; the rest is winfile::File's.
class WinFileIo : public FileIo {
 public:
  bool open(const QString& path, Mode mode) override {
    if (mode == Mode::CreateNew) return m_file.createNew(path.toStdWString().c_str());
    return m_file.open(path.toStdWString().c_str(), mode == Mode::ReadWrite);
  }
  int permissions() override { return -1; }
  bool setPermissions(int) override { return true; }
  bool stillAt(const QString& path) override { return m_file.stillAt(path.toStdWString().c_str()); }
  void close() override { m_file.close(); }
  bool isOpen() const override { return m_file.isOpen(); }
  qint64 readAt(qint64 offset, char* buffer, qint64 length) override { return m_file.readAt(offset, buffer, length); }
  qint64 writeAt(qint64 offset, const char* data, qint64 length) override {
    return m_file.writeAt(offset, data, length);
  }
  qint64 size() override { return m_file.size(); }
  bool truncate(qint64 length) override { return m_file.truncate(length); }
  bool sync() override { return m_file.sync(); }
  int lastErrno() const override { return m_file.lastErrno(); }

 private:
  winfile::File m_file;
};

}  // namespace

std::unique_ptr<FileIo> makeSystemFileIo() { return std::make_unique<WinFileIo>(); }

bool replaceFile(const QString& from, const QString& to, int* error) {
  int failure = 0;
  if (winfile::replaceFile(from.toStdWString().c_str(), to.toStdWString().c_str(), failure)) return true;
  if (error) *error = failure;
  return false;
}

int ordinaryFilePermissions() { return -1; }

bool makeFolder(const QString& path, int* error) {
  int failure = 0;
  if (winfile::makeFolder(path.toStdWString().c_str(), failure)) return true;
  if (error) *error = failure;
  return false;
}

// NTFS journals its folder entries itself.
void syncFolderOf(const QString&) {}
