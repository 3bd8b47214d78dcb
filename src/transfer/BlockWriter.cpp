#include "transfer/BlockWriter.h"

#include <cerrno>
#include <utility>

bool BlockWriter::write(QByteArray& block) {
  m_job.wait();
  if (m_error != 0) return false;
  std::swap(m_block, block);
  block.resize(0);  // keeps the capacity for the next block
  m_job.start([this] { writeBlock(); });
  return true;
}

bool BlockWriter::finish() {
  m_job.wait();
  return m_error == 0;
}

void BlockWriter::writeBlock() {
  const qint64 length = m_block.size();
  if (m_io.writeAt(m_offset, m_block.constData(), length) != length) {
    // A short write without an error number means the disk is full.
    m_error = m_io.lastErrno() != 0 ? m_io.lastErrno() : ENOSPC;
    return;
  }
  m_io.startWriteBack(m_offset, length);
  m_offset += length;
}
