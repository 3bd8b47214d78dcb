#include "catalogue/search/RecordScan.h"

#include <algorithm>
#include <cstring>

#include "catalogue/Cp1253.h"

namespace {
constexpr qint64 kRecord = CatalogueRecord::kLength;
}

RecordScan::RecordScan(CatalogueFile& file) : m_file(file) {}

const char* RecordScan::record(qint32 n) {
  if (n < 1) return nullptr;
  const qint64 offset = qint64(n - 1) * kRecord;
  const qint64 inBlock = offset - m_blockStart;
  if (m_blockStart < 0 || inBlock < 0 || inBlock + kRecord > m_blockLength) {
    // Each block starts at the record asked for, so a whole record never straddles two.
    m_block.resize(size_t(kBlockBytes));
    const qint64 got = m_file.readRecords(n, m_block.data(), kBlockBytes);
    if (got < 0) {
      m_failed = true;
      m_blockStart = -1;
      return nullptr;
    }
    m_blockStart = offset;
    m_blockLength = got;
    if (got == 0) return nullptr;
    if (got < kRecord) {
      std::memcpy(m_partial, m_block.data(), size_t(got));
      std::memset(m_partial + got, ' ', size_t(kRecord - got));
      return m_partial;
    }
    return m_block.data();
  }
  return m_block.data() + inBlock;
}

FieldMatcher::FieldMatcher(const QString& text, std::vector<int> fields) : m_fields(std::move(fields)) {
  m_needle = cp1253::encode(text, &m_encodable);
  if (m_needle.isEmpty()) m_encodable = false;
}

bool FieldMatcher::matches(const char* record) const {
  if (!m_encodable || !record) return false;
  const char* needle = m_needle.constData();
  const char* needleEnd = needle + m_needle.size();
  return std::any_of(m_fields.begin(), m_fields.end(), [&](int i) {
    if (i < 0 || i >= CatalogueRecord::kFieldCount) return false;
    const char* begin = record + CatalogueRecord::kOffset[i];
    const char* end = begin + CatalogueRecord::kWidth[i];
    return std::search(begin, end, needle, needleEnd) != end;
  });
}
