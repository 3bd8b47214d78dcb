#pragma once

#include <QByteArray>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "catalogue/FileIo.h"

// Writes blocks one after the other to an open file in a second thread, so
// that the next block is filled while one is being written. Each block's
// write-back to the disk starts at once, so that the final sync has little
// left. A failed write stops the writing; the next call reports it.
class BlockWriter {
 public:
  BlockWriter(FileIo& io, qint64 offset) : m_io(io), m_offset(offset) {}
  ~BlockWriter() { finish(); }  // writes what was handed over, then stops the thread

  // Takes `block` to be written after the ones before it and gives back, in
  // its place, an emptied buffer that has been written. Waits while the
  // block before is still being written; false once a write has failed.
  bool write(QByteArray& block);
  // Waits until every block is written; false when one of them failed.
  bool finish();
  // The system's error number of the failed write.
  int systemError();

 private:
  void run();

  FileIo& m_io;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  QByteArray m_block;  // handed over, written by the thread
  qint64 m_offset;     // where m_block goes
  bool m_full = false;
  bool m_stopping = false;
  int m_error = 0;  // the first failure's error number, kept by the thread
  std::thread m_thread;
};
