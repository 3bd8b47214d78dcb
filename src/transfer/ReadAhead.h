#pragma once

#include <vector>

#include "catalogue/CatalogueFile.h"
#include "transfer/BackgroundJob.h"

// Reads a catalogue's records in file order a block at a time, the next
// block in a second thread while the caller works through the one before.
class ReadAhead {
 public:
  // The first `total` records of `file`, which nothing else reads meanwhile.
  ReadAhead(CatalogueFile& file, qint32 total);

  // The next block's records, 350 bytes each (a torn last record filled with
  // blanks); false at the end, and on a failed read, when failed() is true
  // and the file's lastError() says why.
  bool next(const char*& records, qint32& count);
  bool failed() const { return m_failed; }

 private:
  void readNext();

  CatalogueFile& m_file;
  const qint32 m_total;
  std::vector<char> m_current;
  std::vector<char> m_next;  // the thread's until it has read
  qint32 m_nextFirst = 1;    // the record m_next starts at
  qint64 m_nextGot = 0;      // bytes read into m_next, or -1
  bool m_failed = false;
  BackgroundJob m_job;  // first to go: waits for the read under way
};
