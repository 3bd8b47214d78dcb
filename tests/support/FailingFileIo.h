#pragma once

#include <memory>

#include "catalogue/FileIo.h"

// The system's file calls with one kind of call failing, reported as an I/O
// error: the opening, every read after the first `readsBeforeFailure`, or
// every write. For a fault at the N-th call of any kind, see FaultyFileIo.h.
class FailingFileIo : public FileIo {
 public:
  enum class Fail { Nothing, Open, Read, Write };
  static constexpr int kIoError = 5;

  explicit FailingFileIo(Fail fail, int readsBeforeFailure = 0) : m_fail(fail), m_readsLeft(readsBeforeFailure) {}
  bool open(const QString& path, Mode mode) override { return !failed(m_fail == Fail::Open) && m_io->open(path, mode); }
  void close() override { m_io->close(); }
  bool isOpen() const override { return m_io->isOpen(); }
  qint64 readAt(qint64 offset, char* buffer, qint64 length) override {
    if (failed(m_fail == Fail::Read && m_readsLeft-- <= 0)) return -1;
    return m_io->readAt(offset, buffer, length);
  }
  qint64 writeAt(qint64 offset, const char* data, qint64 length) override {
    return failed(m_fail == Fail::Write) ? -1 : m_io->writeAt(offset, data, length);
  }
  qint64 size() override { return m_io->size(); }
  bool truncate(qint64 length) override { return m_io->truncate(length); }
  bool sync() override { return m_io->sync(); }
  bool stillAt(const QString& path) override { return m_io->stillAt(path); }
  int lastErrno() const override { return m_failed ? kIoError : m_io->lastErrno(); }

 private:
  bool failed(bool fails) {
    if (fails) m_failed = true;
    return fails;
  }

  std::unique_ptr<FileIo> m_io = makeSystemFileIo();
  Fail m_fail;
  int m_readsLeft;
  bool m_failed = false;
};

class FailingFiles : public FileIoFactory {
 public:
  FailingFiles(FailingFileIo::Fail fail = FailingFileIo::Fail::Nothing, int readsBeforeFailure = 0)
      : fail(fail), readsBeforeFailure(readsBeforeFailure) {}
  std::unique_ptr<FileIo> make() override { return std::make_unique<FailingFileIo>(fail, readsBeforeFailure); }

  FailingFileIo::Fail fail;
  int readsBeforeFailure;
};
