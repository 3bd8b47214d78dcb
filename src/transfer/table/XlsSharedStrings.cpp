// FreeXL's steps over the shared strings, one for one, so that a file that
// would lead it past a record is known before it opens the file.
#include "transfer/table/XlsSharedStrings.h"

#include <QtEndian>

namespace {

// FreeXL gives up on a table of more strings than this.
constexpr quint32 kMostStrings = 1024 * 1024;

// Read only where `holds` has found the record long enough.
quint32 u16(const QByteArray& bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }
quint32 u32(const QByteArray& bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }

}  // namespace

bool XlsSharedStrings::follow(const QByteArray& book, qsizetype data, qsizetype length) {
  if (m_givenUp) return true;
  // Offsets from `data`; FreeXL's buffer holds the record alone.
  const auto holds = [&](qint64 at, qint64 bytes) { return at + bytes <= length && data + at + bytes <= book.size(); };
  qint64 at = 0;
  if (!m_started) {
    // The table's first record: two counts, then the strings.
    if (!holds(4, 4)) return false;
    m_started = true;
    m_count = u32(book, data + 4);
    if (m_count > kMostStrings) {
      m_givenUp = true;
      return true;
    }
    at = 8;
  } else if (m_length > 0) {
    // The rest of a string begun in the record before: a flag byte, then the characters.
    if (!holds(0, 1)) return false;
    const bool wide = quint8(book[data]) & 1;
    const qint64 rest = qint64(m_length) - m_held;
    at = 1;
    if (!wide && !holds(at, rest)) {
      m_givenUp = true;  // FreeXL checks these byte by byte and stops
      return true;
    }
    if (wide && !holds(at, 2 * rest)) return false;
    at += (wide ? 2 : 1) * rest + m_skip;
    // FreeXL keeps what lies past this record as the next string's skip, not the next record's.
    m_skip = at >= length ? quint32(at - length) : 0;
    m_nextSkip = 0;
    m_length = 0;
    m_held = 0;
    ++m_index;
  }
  for (; m_index < m_count; ++m_index) {
    if (at >= length) return true;
    at += m_nextSkip;
    // A count of characters and a flag byte, maybe a count of formatting runs and a size of more.
    if (!holds(at, 3)) return false;
    const quint32 characters = u16(book, data + at);
    const quint8 flags = quint8(book[data + at + 2]);
    at += 3;
    quint32 skip = 0;
    if (flags & 8) {
      if (!holds(at, 2)) return false;
      skip += 4 * u16(book, data + at);
      at += 2;
    }
    if (flags & 4) {
      if (!holds(at, 4)) return false;
      skip += u32(book, data + at);
      at += 4;
    }
    const bool wide = flags & 1;
    const qint64 bytes = qint64(characters) * (wide ? 2 : 1);
    m_skip = skip;
    m_nextSkip = 0;
    if (bytes > length - at) {
      // Continued in the next record.
      m_length = characters;
      m_held = quint32(wide ? (length - at) / 2 : length - at);
      return true;
    }
    if (characters == 0) {
      m_givenUp = true;
      return true;
    }
    at += bytes + m_skip;
    m_nextSkip = at >= length ? quint32(at - length) : 0;
    m_skip = 0;
  }
  return true;
}
