#include "transfer/BlockWriter.h"

#include <cerrno>
#include <utility>

bool BlockWriter::write(QByteArray& block) {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return !m_full; });
  if (m_error != 0) return false;
  std::swap(m_block, block);
  block.resize(0);  // keeps the capacity for the next block
  m_full = true;
  if (!m_thread.joinable()) m_thread = std::thread(&BlockWriter::run, this);
  lock.unlock();
  m_changed.notify_all();
  return true;
}

bool BlockWriter::finish() {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_changed.notify_all();
  if (m_thread.joinable()) m_thread.join();
  return m_error == 0;
}

int BlockWriter::systemError() {
  const std::lock_guard lock(m_mutex);
  return m_error;
}

void BlockWriter::run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [this] { return m_full || m_stopping; });
    if (!m_full) return;
    lock.unlock();
    // The block and the offset are the thread's own until m_full is cleared.
    const qint64 length = m_block.size();
    const bool written = m_io.writeAt(m_offset, m_block.constData(), length) == length;
    if (written) m_io.startWriteBack(m_offset, length);
    // A short write without an error number means the disk is full.
    const int error = written ? 0 : (m_io.lastErrno() != 0 ? m_io.lastErrno() : ENOSPC);
    lock.lock();
    if (m_error == 0) m_error = error;
    m_offset += length;
    m_full = false;
    m_changed.notify_all();
  }
}
