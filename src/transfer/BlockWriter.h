#pragma once

#include <QByteArray>

#include "catalogue/FileIo.h"
#include "transfer/BackgroundJob.h"

// Writes blocks one after the other to an open file in a second thread, so
// that the next block is filled while one is being written. Each block's
// write-back to the disk starts at once, so that the final sync has little
// left. A failed write stops the writing; the next call reports it.
class BlockWriter {
 public:
  BlockWriter(FileIo& io, qint64 offset) : m_io(io), m_offset(offset) {}

  // Takes `block` to be written after the ones before it and gives back, in
  // its place, an emptied buffer that has been written. Waits while the
  // block before is still being written; false once a write has failed.
  bool write(QByteArray& block);
  // Waits until every block is written; false when one of them failed.
  bool finish();
  // The system's error number of the failed write.
  int systemError() const { return m_error; }

 private:
  void writeBlock();

  FileIo& m_io;
  QByteArray m_block;   // handed over, written by the thread
  qint64 m_offset;      // where m_block goes
  int m_error = 0;      // the first failure's error number
  BackgroundJob m_job;  // first to go: waits for the block being written
};
