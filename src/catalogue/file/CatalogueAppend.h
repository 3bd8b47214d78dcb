#pragma once

#include <vector>

#include "catalogue/file/CatalogueFile.h"
#include "catalogue/file/ImportJournal.h"

// Appends many records after the last one in large writes, synced once at
// the end. Until commit() succeeds, any failure (or destroying the append
// unfinished) puts the file back byte for byte: the bytes of a torn last
// record that the first new record covered, and the old length. The same
// two are kept in the import journal (ImportJournal.h) for the time the
// file holds part of the records, so that a kill or a power cut is undone
// at the next opening under the editor's lock.
class CatalogueAppend {
 public:
  // `file` is open for editing.
  explicit CatalogueAppend(CatalogueFile& file);
  ~CatalogueAppend();
  CatalogueAppend(const CatalogueAppend&) = delete;
  CatalogueAppend& operator=(const CatalogueAppend&) = delete;

  // False, with the file's lastError() set, when the file cannot be inspected.
  bool begin();
  // The number the first appended record gets: 1 in an empty file, else the
  // one after the record count (the new record a librarian would add).
  qint32 firstNumber() const { return m_first; }
  qint32 added() const { return m_added; }

  bool add(const char* recordBytes);
  bool add(const CatalogueRecord& record) { return add(record.bytes()); }
  bool commit();
  void rollback();

 private:
  bool flush();
  bool failed(CatalogueError::Operation op, qint32 record);

  CatalogueFile& m_file;
  qint32 m_first = 1;
  qint32 m_added = 0;
  importjournal::Entry m_before;  // the old length and torn tail, as journalled
  qint64 m_nextOffset = 0;        // where the buffer goes
  std::vector<char> m_buffer;
  bool m_active = false;
};
