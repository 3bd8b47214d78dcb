#include "transfer/OpenToRead.h"

#include <QFileInfo>
#include <cerrno>

QString openToRead(CatalogueFile& file, const QString& path) {
  // A link that leads nowhere (or in a loop) is told by the opening's own reason.
  if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
    return CatalogueError::of(CatalogueError::Operation::Read, path, ENOENT).describe();
  if (!file.open(path, FileIo::Mode::ReadOnly)) return file.lastError().describe();
  return QString();
}

InputFile::InputFile() : m_io(makeSystemFileIo()) {}

InputFile::~InputFile() = default;

QString InputFile::open(const QString& path) {
  m_path = path;
  m_offset = 0;
  if (!m_io->open(path, FileIo::Mode::ReadOnly))
    return CatalogueError::of(CatalogueError::Operation::Read, path, m_io->lastErrno()).describe();
  // Buffered by Qt, since the MARC reader reads a record's leader and body
  // apart; the large blocks of the CSV reader go straight through.
  QIODevice::open(QIODevice::ReadOnly);
  return QString();
}

bool InputFile::isFileAt(const QString& other) const { return m_io->isOpen() && m_io->stillAt(other); }

qint64 InputFile::size() const { return m_io->isOpen() ? m_io->size() : 0; }

bool InputFile::seek(qint64 pos) {
  if (pos < 0 || !QIODevice::seek(pos)) return false;
  m_offset = pos;
  return true;
}

qint64 InputFile::readData(char* data, qint64 most) {
  const qint64 got = m_io->readAt(m_offset, data, most);
  if (got > 0) m_offset += got;
  return got;
}
