#pragma once

#include <QStringList>
#include <cerrno>
#include <memory>

#include "catalogue/file/FileIo.h"

// Makes system file I/O that fails on command. Every io it makes shares one
// call counter over open, readAt, writeAt, size, truncate and sync, so a test
// can fail "the N-th I/O call" of a whole scripted use of the program:
//
//   FaultyFileIoFactory files;
//   files.failCall(n, ENOSPC);           // once
//   files.failCall(n, EIO, FaultyFileIoFactory::Repeat::FromThenOn);
//   files.shortenWrite(n, 100);          // the n-th call, a write, stops after 100 bytes
//   files.failEvery(FaultyFileIoFactory::Kind::Read, 1);  // every read after the first
//
// Calls are counted from the last reset(); close, isOpen and stillAt are not counted.
class FaultyFileIoFactory : public FileIoFactory {
 public:
  enum class Repeat { Once, FromThenOn };
  enum class Kind { Open, Read, Write };

  FaultyFileIoFactory();
  ~FaultyFileIoFactory() override;

  void failCall(int n, int error, Repeat repeat = Repeat::Once);
  // When the n-th call is a write, it writes `bytes` bytes (at most what was
  // asked), sets `error` and returns the short count; any other call fails.
  void shortenWrite(int n, qint64 bytes, int error = ENOSPC);
  // Every call of one kind after the first `after` of that kind fails with
  // `error`; calls of other kinds pass. Replaces any fault planned.
  void failEvery(Kind kind, int after = 0, int error = EIO);
  // No fault planned, counter back to 0, log cleared.
  void reset();

  int calls() const;
  // True once a planned fault has fired.
  bool faultHit() const;
  // "open", "readAt 350 350", "writeAt 0 350", "size", "truncate 700", "sync";
  // a failed call ends with " -> errno N".
  QStringList log() const;

  std::unique_ptr<FileIo> make() override;

  struct State;

 private:
  std::shared_ptr<State> m_state;
};
