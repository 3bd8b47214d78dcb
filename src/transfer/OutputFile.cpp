#include "transfer/OutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "catalogue/CatalogueFile.h"

namespace {

constexpr qsizetype kBlock = 1 << 20;
// A block and the most that one record can add past it.
constexpr qsizetype kCapacity = kBlock + 4096;

QString describe(CatalogueError::Operation op, const QString& path, int systemError) {
  CatalogueError error;
  error.operation = op;
  error.systemError = systemError;
  error.fileName = QFileInfo(path).fileName();
  return error.describe();
}

}  // namespace

QString writeFailure(const QString& path, int systemError) {
  return describe(CatalogueError::Operation::Write, path, systemError);
}

QString readFailure(const QString& path, int systemError) {
  return describe(CatalogueError::Operation::Read, path, systemError);
}

OutputFile::OutputFile(QString path) : m_path(std::move(path)), m_io(makeSystemFileIo()) {
  m_buffer.reserve(kCapacity);
}

OutputFile::~OutputFile() { discard(); }

bool OutputFile::open() {
  if (!m_io->open(partPath(), FileIo::Mode::ReadWrite) || !m_io->truncate(0)) return fail(m_io->lastErrno());
  m_writer = std::make_unique<BlockWriter>(*m_io, 0);
  return true;
}

bool OutputFile::adoptWritten() {
  if (!m_io->open(partPath(), FileIo::Mode::ReadWrite)) return fail(m_io->lastErrno());
  const qint64 size = m_io->size();
  if (size < 0) return fail(m_io->lastErrno());
  m_writer = std::make_unique<BlockWriter>(*m_io, size);
  return true;
}

bool OutputFile::writeIfFull() { return m_buffer.size() < kBlock || flush(); }

bool OutputFile::flush() {
  if (!m_writer) return fail(EBADF);
  if (m_buffer.isEmpty()) return true;
  if (!m_writer->write(m_buffer)) return fail(m_writer->systemError());
  m_buffer.reserve(kCapacity);  // the buffer given back may be new
  return true;
}

bool OutputFile::commit() {
  if (!flush()) return false;
  if (!m_writer->finish()) return fail(m_writer->systemError());
  if (!m_io->sync()) return fail(m_io->lastErrno());
  m_writer.reset();
  m_io->close();
  // The old file stays whole until the new one takes its name.
  int error = 0;
  if (!replaceFile(partPath(), m_path, &error)) {
    QFile::remove(partPath());
    m_error = writeFailure(m_path, error);
    return false;
  }
  syncFolderOf(m_path);
  return true;
}

void OutputFile::discard() {
  m_writer.reset();  // waits for the block being written
  if (!m_io->isOpen()) return;
  m_io->close();
  QFile::remove(partPath());
}

bool OutputFile::fail(int systemError) {
  // A short write without an error number means the disk is full.
  m_error = writeFailure(m_path, systemError != 0 ? systemError : ENOSPC);
  discard();
  return false;
}
