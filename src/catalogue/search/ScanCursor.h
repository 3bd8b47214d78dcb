#pragma once

#include "catalogue/search/RecordMatcher.h"
#include "catalogue/search/RecordScan.h"

// Walks the records of a catalogue from a start to the count, stopping at
// each match. Every position examined is reported with how many records the
// walk has examined so far (never more than the count); the position one past
// the count reads nothing but is reported too, so that a walk that finds no
// more matches ends on the full count.
class ScanCursor {
 public:
  enum class Stop { Match, End, Failed };

  ScanCursor(CatalogueFile& file, qint32 count, const RecordMatcher& matcher, qint32 start = 1)
      : m_scan(file), m_count(count), m_matcher(matcher), m_position(start) {}

  // Walks on to the next match (then match() is its number), to the end, or
  // to a failed read (the file's lastError() says why). `examined(qint32)`
  // runs before each position is read.
  template <class Progress>
  Stop next(Progress&& examined);

  qint32 match() const { return m_match; }
  qint32 count() const { return qint32(m_count); }
  bool matchIsLast() const { return m_match == m_count; }

 private:
  RecordScan m_scan;
  qint64 m_count;
  const RecordMatcher& m_matcher;
  qint64 m_position;
  qint32 m_examined = 0;
  qint32 m_match = 0;
};

template <class Progress>
ScanCursor::Stop ScanCursor::next(Progress&& examined) {
  while (m_position <= m_count + 1) {
    const qint64 position = m_position++;
    if (m_examined < m_count) ++m_examined;
    examined(m_examined);
    if (position > m_count) break;
    const char* bytes = m_scan.record(qint32(position));
    if (m_scan.failed()) return Stop::Failed;
    if (m_matcher.matches(bytes)) {
      m_match = qint32(position);
      return Stop::Match;
    }
  }
  return Stop::End;
}
