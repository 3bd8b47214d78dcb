#pragma once

#include <QByteArray>

// FreeXL's reading of an xls workbook's shared strings (an SST record and
// the CONTINUE records after it), retraced with every read checked against
// the record: FreeXL takes on trust a string's remainder in the next record
// and the bytes of formatting it skips, and reads past its buffers where a
// file lies about them.
class XlsSharedStrings {
 public:
  // Follows the next record of the table: `length` bytes at `data` in
  // `book`. False when FreeXL would read past the record's end.
  bool follow(const QByteArray& book, qsizetype data, qsizetype length);

 private:
  bool m_started = false;
  // FreeXL gave the table up (a string of no characters, too many strings,
  // a remainder cut short): it reads no more of it.
  bool m_givenUp = false;
  quint32 m_count = 0;
  quint32 m_index = 0;
  // A string begun in one record and ended in the next: its characters and
  // how many of them the first record held.
  quint32 m_length = 0;
  quint32 m_held = 0;
  // The bytes of formatting after the current string, and what of them the
  // next record still holds.
  quint32 m_skip = 0;
  quint32 m_nextSkip = 0;
};
