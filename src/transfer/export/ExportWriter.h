#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "transfer/RecordList.h"
#include "transfer/export/ExportOutput.h"

// One output format of the export: a header, then the records in file
// order, into an output that the caller has opened and commits afterwards.
class ExportWriter {
 public:
  explicit ExportWriter(ExportOutput& out) : m_out(out) {}
  virtual ~ExportWriter() = default;
  // `fields` are the record's fields that become columns after the record number.
  virtual bool begin(const std::vector<int>& fields) = 0;
  // `record` is the 350 stored bytes of record `number`.
  virtual bool write(qint32 number, const char* record) = 0;
  // Writes what the format has left into the output.
  virtual bool finish() = 0;
  // Why a call failed: a Greek sentence naming the output.
  const QString& error() const { return m_error; }
  // The records written so far; MARC leaves deleted ones out.
  qint64 written() const { return m_written; }
  // The live records the format cannot carry (MARC: those without a title).
  const RecordList& leftOut() const { return m_leftOut; }

 protected:
  // The output's own failure, for `return outputFailed();`.
  bool outputFailed() {
    m_error = m_out.error();
    return false;
  }

  ExportOutput& m_out;
  QString m_error;
  qint64 m_written = 0;
  RecordList m_leftOut;
};
