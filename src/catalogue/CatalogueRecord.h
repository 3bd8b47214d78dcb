#pragma once

#include <QByteArray>
#include <QString>
#include <array>

#include "catalogue/RecordStore.h"

// One book: six fixed-width fields, 350 bytes of Windows-1253 on disk.
// A record read at or beyond the end of the file holds no stored text: its
// fields read as empty strings (not blanks) and it contains no search text.
class CatalogueRecord {
 public:
  static constexpr int kLength = int(recordstore::kRecordLength);
  static constexpr int kFieldCount = 6;
  static constexpr std::array<int, kFieldCount> kWidth{50, 50, 100, 50, 50, 50};
  static constexpr std::array<int, kFieldCount> kOffset{0, 50, 100, 200, 250, 300};

  // A record with no stored text.
  CatalogueRecord() { m_bytes.fill(' '); }
  // Six blank fields (350 bytes of 0x20).
  static CatalogueRecord blank();
  // "~~~" in all six fields.
  static CatalogueRecord deletionMark();
  // The bytes present (at most 350); a short record is filled with blanks.
  // No bytes at all give a record with no stored text.
  static CatalogueRecord fromBytes(const char* bytes, int length);

  bool isStored() const { return m_stored; }

  // Field i (0-based): its full padded text, or "" when nothing is stored.
  QString field(int i) const;
  // Keeps the first width characters; fills a shorter text with blanks. The
  // record then counts as stored, its other fields blank if nothing was.
  // A character the code page cannot hold is stored as '?'.
  void setField(int i, const QString& text);

  // The 350 bytes as they go to disk (blanks when nothing is stored).
  const char* bytes() const { return m_bytes.data(); }

 private:
  std::array<char, kLength> m_bytes;
  bool m_stored = false;
};
