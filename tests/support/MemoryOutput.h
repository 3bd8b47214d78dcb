#pragma once

#include <QDir>

#include "transfer/export/ExportOutput.h"

// An export's output kept in memory; `bytes` holds what was committed.
class MemoryOutput : public ExportOutput {
 public:
  explicit MemoryOutput(QString scratchFolder = QDir::tempPath())
      : ExportOutput(QStringLiteral("memory")), m_scratch(std::move(scratchFolder)) {}

  bool open() override { return true; }
  bool commit() override { return flush(); }
  QString scratchFolder() const override { return m_scratch; }

  QByteArray bytes;

 protected:
  bool writeBlock(const char* data, qint64 length) override {
    bytes.append(data, length);
    return true;
  }

 private:
  QString m_scratch;
};
