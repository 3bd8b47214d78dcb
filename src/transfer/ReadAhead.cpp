#include "transfer/ReadAhead.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
constexpr qint64 kRecord = CatalogueRecord::kLength;
// Whole records only, so that none straddles two blocks.
constexpr qint32 kBlockRecords = qint32((1 << 20) / kRecord);
}  // namespace

ReadAhead::ReadAhead(CatalogueFile& file, qint32 total)
    : m_file(file), m_total(total), m_current(size_t(kBlockRecords * kRecord)), m_next(m_current.size()) {
  m_job.start([this] { readNext(); });
}

void ReadAhead::readNext() {
  const qint32 count = std::min(kBlockRecords, m_total - m_nextFirst + 1);
  m_nextGot = count > 0 ? m_file.readRecords(m_nextFirst, m_next.data(), count * kRecord) : 0;
}

bool ReadAhead::next(const char*& records, qint32& count) {
  m_job.wait();
  if (m_failed) return false;
  if (m_nextGot < 0) m_failed = true;
  if (m_nextGot <= 0) return false;
  std::swap(m_current, m_next);
  count = qint32((m_nextGot + kRecord - 1) / kRecord);
  const qint64 torn = m_nextGot % kRecord;
  if (torn != 0) std::memset(m_current.data() + m_nextGot, ' ', size_t(kRecord - torn));
  records = m_current.data();
  m_nextFirst += count;
  // A torn record is the last: there is nothing after it to read.
  if (torn != 0)
    m_nextGot = 0;
  else
    m_job.start([this] { readNext(); });
  return true;
}
