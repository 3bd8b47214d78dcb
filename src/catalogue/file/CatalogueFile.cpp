#include "catalogue/file/CatalogueFile.h"

#include <algorithm>
#include <cerrno>

#include "catalogue/RecordStore.h"
#include "catalogue/file/ImportJournal.h"

using Op = CatalogueError::Operation;

CatalogueFile::CatalogueFile(std::unique_ptr<FileIo> io) : m_io(std::move(io)) {}

CatalogueFile::~CatalogueFile() { close(); }

qint32 CatalogueFile::recordCountForLength(qint64 length) { return recordstore::recordCountForLength(length); }

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
  qint64 length = m_io->size();
  if (length < 0) {
    failIo(Op::Open, 0);
    m_io->close();
    return false;
  }
  // A reader sees the catalogue as it was before an import under way or left unfinished.
  if (mode == FileIo::Mode::ReadOnly)
    if (const std::optional<importjournal::Entry> entry = importjournal::pending(path))
      length = std::min(length, entry->oldLength);
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
  m_error = {};
  if (!m_open || m_missing) return fail(Op::Write, n, EBADF);
  if (n < 1) return fail(Op::Write, n, EINVAL);
  if (!m_io->stillAt(m_path)) return fail(Op::Write, n, CatalogueError::kFileReplaced);
  using Step = recordstore::WriteResult::Step;
  const recordstore::WriteResult result = recordstore::writeRecord(*m_io, n, record.bytes());
  switch (result.step) {
    case Step::Done:
      m_recordCount = std::max(m_recordCount, n);
      return true;
    case Step::Read:
      return fail(Op::Read, n, result.error);
    case Step::Write:
      return fail(Op::Write, n, result.error);
    case Step::Sync:
      return fail(Op::Sync, n, result.error);
  }
  return false;
}

bool CatalogueFile::fail(Op op, qint32 record, int systemError) {
  m_error = CatalogueError::of(op, m_path, systemError, record);
  return false;
}

bool CatalogueFile::failIo(Op op, qint32 record) { return fail(op, record, m_io->lastErrno()); }
