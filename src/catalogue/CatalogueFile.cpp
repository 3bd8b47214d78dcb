#include "catalogue/CatalogueFile.h"

#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

using Op = CatalogueError::Operation;

CatalogueFile::CatalogueFile(std::unique_ptr<FileIo> io) : m_io(std::move(io)) {}

CatalogueFile::~CatalogueFile() { close(); }

qint32 CatalogueFile::recordCountForLength(qint64 length) {
  constexpr qint64 L = CatalogueRecord::kLength;
  if (length <= 0) return 1;
  qint64 count = length / L;
  const qint64 rest = length % L;
  // Half to even: a remainder of exactly half a record rounds up only from an odd count.
  if (2 * rest > L || (2 * rest == L && count % 2 == 1)) ++count;
  return qint32(std::clamp<qint64>(count, 1, std::numeric_limits<qint32>::max()));
}

bool CatalogueFile::open(const QString& path, FileIo::Mode mode) {
  close();
  m_path = path;
  m_error = {};
  m_recordCount = 1;
  if (!m_io->open(path, mode)) {
    if (mode == FileIo::Mode::ReadOnly && m_io->lastErrno() == ENOENT) {
      m_open = m_missing = true;
      return true;
    }
    return failIo(Op::Open, 0);
  }
  const qint64 length = m_io->size();
  if (length < 0) {
    failIo(Op::Open, 0);
    m_io->close();
    return false;
  }
  m_recordCount = recordCountForLength(length);
  m_open = true;
  return true;
}

void CatalogueFile::close() {
  m_io->close();
  m_open = m_missing = false;
}

bool CatalogueFile::read(qint32 n, CatalogueRecord& out) {
  out = CatalogueRecord();
  m_error = {};
  if (n < 1) return true;
  char buffer[CatalogueRecord::kLength];
  const qint64 got = readRecords(n, buffer, sizeof buffer);
  if (got < 0) return false;
  out = CatalogueRecord::fromBytes(buffer, int(got));
  return true;
}

qint64 CatalogueFile::readRecords(qint32 first, char* buffer, qint64 length) {
  m_error = {};
  if (!m_open) {
    fail(Op::Read, first, EBADF);
    return -1;
  }
  if (m_missing || first < 1) return 0;
  const qint64 got = m_io->readAt(offsetOf(first), buffer, length);
  if (got < 0) failIo(Op::Read, first);
  return got;
}

bool CatalogueFile::write(qint32 n, const CatalogueRecord& record) {
  constexpr qint64 L = CatalogueRecord::kLength;
  m_error = {};
  if (!m_open || m_missing) return fail(Op::Write, n, EBADF);
  if (n < 1) return fail(Op::Write, n, EINVAL);
  if (!m_io->stillAt(m_path)) return fail(Op::Write, n, CatalogueError::kFileReplaced);
  const qint64 oldSize = m_io->size();
  if (oldSize < 0) return failIo(Op::Write, n);

  // Keep what the write will cover, to put it back if the write fails halfway.
  const qint64 offset = offsetOf(n);
  char old[L];
  qint64 oldLength = std::clamp<qint64>(oldSize - offset, 0, L);
  if (oldLength > 0) {
    oldLength = m_io->readAt(offset, old, oldLength);
    if (oldLength < 0) return failIo(Op::Read, n);
  }
  const auto undo = [&] {
    if (oldLength > 0) m_io->writeAt(offset, old, oldLength);
    if (offset + L > oldSize) m_io->truncate(oldSize);
    m_io->sync();
  };

  // A torn last record reads as its bytes and then blanks; a new record just
  // past it writes those blanks too, or the record would end in zero bytes.
  const qint64 gap = offset > oldSize && offset - oldSize < L ? offset - oldSize : 0;
  char out[2 * L];
  std::memset(out, ' ', size_t(gap));
  std::memcpy(out + gap, record.bytes(), L);
  const qint64 written = m_io->writeAt(offset - gap, out, gap + L);
  if (written != gap + L) {
    // Not every system sets an error for a short write; it means the disk is full.
    int error = m_io->lastErrno();
    if (error == 0) error = written >= 0 ? ENOSPC : EIO;
    undo();
    return fail(Op::Write, n, error);
  }
  if (!m_io->sync()) {
    const int error = m_io->lastErrno();
    undo();
    return fail(Op::Sync, n, error);
  }
  m_recordCount = std::max(m_recordCount, n);
  return true;
}

bool CatalogueFile::fail(Op op, qint32 record, int systemError) {
  m_error.operation = op;
  m_error.record = record;
  m_error.systemError = systemError;
  const QString name = QFileInfo(m_path).fileName();
  m_error.fileName = name.isEmpty() ? QString::fromLatin1(kFileName) : name;
  return false;
}

bool CatalogueFile::failIo(Op op, qint32 record) { return fail(op, record, m_io->lastErrno()); }
