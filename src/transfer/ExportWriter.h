#pragma once

#include <QString>
#include <memory>
#include <vector>

// One output format of the export: a header, then the records in file order.
class ExportWriter {
 public:
  virtual ~ExportWriter() = default;
  // `fields` are the record's fields that become columns after the record number.
  virtual bool begin(const std::vector<int>& fields) = 0;
  // `record` is the 350 stored bytes of record `number`.
  virtual bool write(qint32 number, const char* record) = 0;
  // Writes what is left and gives the file its name; an unfinished writer
  // leaves nothing behind.
  virtual bool finish() = 0;
  QString error() const { return m_error; }
  // The records written so far; MARC leaves deleted ones out.
  qint64 written() const { return m_written; }

 protected:
  QString m_error;
  qint64 m_written = 0;
};

std::unique_ptr<ExportWriter> makeCsvWriter(const QString& path);
std::unique_ptr<ExportWriter> makeXlsxWriter(const QString& path);
// The records one xlsx sheet holds under its header row.
qint64 xlsxMostRecords();
enum class MarcFlavour { Marc21, MarcXml, Unimarc };
std::unique_ptr<ExportWriter> makeMarcWriter(const QString& path, MarcFlavour flavour);
