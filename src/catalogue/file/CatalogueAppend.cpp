#include "catalogue/file/CatalogueAppend.h"

#include <algorithm>
#include <cerrno>

#include "catalogue/file/ImportJournal.h"

namespace {
constexpr qint64 kRecord = CatalogueRecord::kLength;
constexpr size_t kBufferBytes = size_t(3000 * kRecord);
}  // namespace

using Op = CatalogueError::Operation;

CatalogueAppend::CatalogueAppend(CatalogueFile& file) : m_file(file) {}

CatalogueAppend::~CatalogueAppend() { rollback(); }

bool CatalogueAppend::begin() {
  m_file.m_error = {};
  if (!m_file.m_open || m_file.m_missing) return m_file.fail(Op::Write, 0, EBADF);
  if (!m_file.m_io->stillAt(m_file.m_path)) return m_file.fail(Op::Write, 0, CatalogueError::kFileReplaced);
  const qint64 oldSize = m_file.m_io->size();
  if (oldSize < 0) return m_file.failIo(Op::Write, 0);
  m_first = oldSize == 0 ? 1 : CatalogueFile::recordCountForLength(oldSize) + 1;
  const qint64 offset = CatalogueFile::offsetOf(m_first);
  // A torn last record is either covered by the first new record (a short
  // tail) or completed with blanks before it (a long one), as a new record
  // from the window would do.
  m_before.oldLength = oldSize;
  m_before.tail.assign(size_t(std::max<qint64>(oldSize - offset, 0)), ' ');
  m_before.tailOffset = m_before.tail.empty() ? oldSize : offset;
  const qint64 tail = qint64(m_before.tail.size());
  if (tail > 0 && m_file.m_io->readAt(offset, m_before.tail.data(), tail) != tail)
    return m_file.failIo(Op::Read, m_first);
  // Recorded and synced before the first write, so that a kill or a power
  // cut from here on is undone at the next opening under the lock.
  if (int error = 0; !importjournal::write(m_file.m_path, m_before, &error)) return m_file.fail(Op::Write, 0, error);
  m_nextOffset = std::min(offset, oldSize);
  m_buffer.clear();
  m_buffer.reserve(kBufferBytes + kRecord);
  m_buffer.assign(size_t(std::max<qint64>(offset - oldSize, 0)), ' ');
  m_added = 0;
  m_active = true;
  return true;
}

bool CatalogueAppend::add(const char* recordBytes) {
  if (!m_active) return m_file.fail(Op::Write, m_first + m_added, EBADF);
  m_buffer.insert(m_buffer.end(), recordBytes, recordBytes + kRecord);
  ++m_added;
  return m_buffer.size() < kBufferBytes || flush();
}

bool CatalogueAppend::flush() {
  if (m_buffer.empty()) return true;
  const qint64 length = qint64(m_buffer.size());
  const qint64 written = m_file.m_io->writeAt(m_nextOffset, m_buffer.data(), length);
  if (written != length) {
    int error = m_file.m_io->lastErrno();
    if (error == 0) error = written >= 0 ? ENOSPC : EIO;
    const qint32 record = qint32(m_nextOffset / kRecord) + 1;
    rollback();
    return m_file.fail(Op::Write, record, error);
  }
  // The disk starts on each block at once, as the export's do: a large import
  // neither waits for a flood of dirty pages nor leaves it all to the last sync.
  m_file.m_io->startWriteBack(m_nextOffset, length);
  m_nextOffset += length;
  m_buffer.clear();
  return true;
}

bool CatalogueAppend::commit() {
  if (!m_active) return m_file.fail(Op::Write, m_first, EBADF);
  if (!flush()) return false;
  if (!m_file.m_io->sync()) return failed(Op::Sync, 0);
  // A journal left behind would undo the import at the next opening.
  if (!importjournal::remove(m_file.m_path)) {
    rollback();
    return m_file.fail(Op::Write, 0, EACCES);
  }
  m_active = false;
  if (m_added > 0) m_file.m_recordCount = std::max(m_file.m_recordCount, m_first + m_added - 1);
  return true;
}

bool CatalogueAppend::failed(Op op, qint32 record) {
  const int error = m_file.m_io->lastErrno();
  rollback();
  return m_file.fail(op, record, error);
}

void CatalogueAppend::rollback() {
  if (!m_active) return;
  m_active = false;
  // Otherwise the journal stays, and the next opening under the lock finishes the undo.
  if (importjournal::restore(*m_file.m_io, m_before)) importjournal::remove(m_file.m_path);
}
