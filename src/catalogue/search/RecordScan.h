#pragma once

#include <QByteArray>
#include <vector>

#include "catalogue/file/CatalogueFile.h"
#include "catalogue/search/RecordMatcher.h"

// Reads records one after the other through large blocks, for the searches:
// the semantics of reading record by record without a system call per record.
class RecordScan {
 public:
  static constexpr qint64 kBlockBytes = 1 << 20;

  explicit RecordScan(CatalogueFile& file);

  // The 350 bytes of record n (a trailing partial record filled with blanks),
  // or nullptr when n lies at or beyond the end of the file. Records are best
  // asked for in ascending order. On an I/O error returns nullptr and sets
  // failed(); the file's lastError() says why.
  const char* record(qint32 n);
  bool failed() const { return m_failed; }

 private:
  CatalogueFile& m_file;
  std::vector<char> m_block;
  qint64 m_blockStart = -1;  // file offset of m_block[0]
  qint64 m_blockLength = 0;
  char m_partial[CatalogueRecord::kLength];
  bool m_failed = false;
};

// An exact, byte-wise "field contains text" test over raw record bytes. The
// text is encoded to Windows-1253 once; a text the code page cannot hold, or
// an empty one, matches nothing.
class FieldMatcher : public RecordMatcher {
 public:
  FieldMatcher(const QString& text, std::vector<int> fields);
  // True when any of the fields of the 350 record bytes contains the text.
  bool matches(const char* record) const override;

 private:
  QByteArray m_needle;
  bool m_encodable = true;
  std::vector<int> m_fields;
};
