#include "transfer/export/OutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

OutputFile::OutputFile(QString path, std::unique_ptr<FileIo> io) : ExportOutput(std::move(path)), m_io(std::move(io)) {
  // A block and the most that one record can add past it.
  buffer().reserve(kBlock + 4096);
}

OutputFile::~OutputFile() { discard(); }

bool OutputFile::open() {
  m_offset = 0;
  if (!createPart()) return failIo();
  // Made for the owner alone; the finished file gets what any new file of the user gets.
  const int bits = ordinaryFilePermissions();
  if (bits >= 0 && !m_io->setPermissions(bits)) return failIo();
  return true;
}

bool OutputFile::createPart() {
  if (m_io->open(partPath(), FileIo::Mode::CreateNew)) return true;
  if (m_io->lastErrno() != EEXIST) return false;
  // The leftover of a killed export: a link goes itself, never what it points to.
  QFile::remove(partPath());
  return m_io->open(partPath(), FileIo::Mode::CreateNew);
}

bool OutputFile::writeBlock(const char* data, qint64 length) {
  if (!m_io->isOpen()) return fail(EBADF);
  if (m_io->writeAt(m_offset, data, length) != length) return failIo();
  // The disk starts on it now, so that the sync before the rename finds little left.
  m_io->startWriteBack(m_offset, length);
  m_offset += length;
  return true;
}

bool OutputFile::commit() {
  if (!flush()) return false;
  if (!m_io->sync()) return failIo();
  m_io->close();
  int error = 0;
  if (!replaceFile(partPath(), path(), &error)) {
    QFile::remove(partPath());
    return fail(error);
  }
  syncFolderOf(path());
  return true;
}

QString OutputFile::scratchFolder() const { return QFileInfo(path()).absolutePath(); }

bool OutputFile::failIo() {
  fail(m_io->lastErrno());
  discard();
  return false;
}

void OutputFile::discard() {
  if (!m_io->isOpen()) return;
  m_io->close();
  QFile::remove(partPath());
}
