#include "transfer/OutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

#include "catalogue/CatalogueFile.h"

namespace {

constexpr qsizetype kBlock = 1 << 20;

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
  m_buffer.reserve(kBlock + 4096);
}

OutputFile::~OutputFile() { discard(); }

bool OutputFile::open() {
  if (!m_io->open(partPath(), FileIo::Mode::ReadWrite) || !m_io->truncate(0)) return fail();
  m_offset = 0;
  return true;
}

bool OutputFile::adoptWritten() {
  if (!m_io->open(partPath(), FileIo::Mode::ReadWrite)) return fail();
  m_offset = m_io->size();
  return m_offset >= 0 || fail();
}

bool OutputFile::writeIfFull() { return m_buffer.size() < kBlock || flush(); }

bool OutputFile::flush() {
  const qint64 length = m_buffer.size();
  if (length == 0) return true;
  const qint64 written = m_io->writeAt(m_offset, m_buffer.constData(), length);
  // A short write without an error number means the disk is full.
  if (written != length) return fail();
  m_offset += length;
  m_buffer.clear();
  return true;
}

bool OutputFile::commit() {
  if (!flush() || !m_io->sync()) return fail();
  m_io->close();
  // rename() replaces an existing file in one step where the system allows.
  const QByteArray from = QFile::encodeName(partPath());
  const QByteArray to = QFile::encodeName(m_path);
  if (std::rename(from.constData(), to.constData()) != 0 &&
      !(QFile::remove(m_path) && std::rename(from.constData(), to.constData()) == 0)) {
    const int error = errno;
    QFile::remove(partPath());
    m_error = writeFailure(m_path, error);
    return false;
  }
  return true;
}

void OutputFile::discard() {
  if (!m_io->isOpen()) return;
  m_io->close();
  QFile::remove(partPath());
}

bool OutputFile::fail() {
  int error = m_io->lastErrno();
  if (error == 0) error = ENOSPC;
  m_error = writeFailure(m_path, error);
  discard();
  return false;
}
