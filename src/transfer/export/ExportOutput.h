#pragma once

#include <QByteArray>
#include <QString>
#include <utility>

// Where an export's bytes go: a file written whole or not at all, or memory.
// A format appends to buffer() and calls writeIfFull() after each record;
// the caller opens the output before the format starts and commits it after
// the format has finished.
class ExportOutput {
 public:
  // `path` names the output in messages.
  explicit ExportOutput(QString path) : m_path(std::move(path)) {}
  virtual ~ExportOutput() = default;
  ExportOutput(const ExportOutput&) = delete;
  ExportOutput& operator=(const ExportOutput&) = delete;

  virtual bool open() = 0;
  QByteArray& buffer() { return m_buffer; }
  // Hands the buffer on once it holds a block.
  bool writeIfFull() { return m_buffer.size() < kBlock || flush(); }
  // Hands on the rest and makes the output whole.
  virtual bool commit() = 0;
  // Where a library that writes files of its own may keep its working files.
  virtual QString scratchFolder() const = 0;

  const QString& path() const { return m_path; }
  // Why the last call failed: a Greek sentence naming the output and the reason.
  const QString& error() const { return m_error; }
  // Records a failed write with the system's reason (none: the disk is full); false.
  bool fail(int systemError);

 protected:
  static constexpr qsizetype kBlock = 1 << 20;
  // Hands the buffer on and empties it.
  bool flush();
  virtual bool writeBlock(const char* data, qint64 length) = 0;

 private:
  QString m_path;
  QByteArray m_buffer;
  QString m_error;
};
