#pragma once

#include <QStringList>
#include <functional>
#include <memory>

#include "transfer/Import.h"
#include "transfer/TableReader.h"

// Where imported records come from. Read twice: once to check everything,
// then again to write.
class ImportSource {
 public:
  using Sink = std::function<bool(const char* recordBytes)>;
  virtual ~ImportSource() = default;
  // False when the input cannot be read; `result` then holds the failure.
  // Otherwise every reason to refuse (and, when cutting, every cut) is added.
  virtual bool check(ImportResult& result) = 0;
  // Hands each record to `sink` in order; false with `result` set on a read
  // failure or when the input changed since it was checked.
  virtual bool records(const Sink& sink, ImportResult& result) = 0;
  // check() that also hands each record that would be written to `each`
  // (false from it stops the reading); a source that can do both in one
  // reading does.
  virtual bool checkEach(ImportResult& result, const Sink& each) {
    if (!check(result)) return false;
    return result.status == ImportResult::Status::Refused || records(each, result);
  }
  // Where the source's n-th record (from 1) came from, for messages: "σειρά 12".
  virtual QString placeOf(qint64 n) const;
};

// records() of a source that reads its file alike to check it and to hand
// its records on: `pass` reads it once more into `sink`, and a reading that
// now finds what the check did not means that the file at `path` changed.
bool readAgain(const QString& path, ImportResult& result, const std::function<bool(ImportResult&)>& pass);

// The rows of a CSV file or of a spreadsheet's sheet (TableReader.h), its
// first reading from `opened`, the table as openTable gave it.
std::unique_ptr<ImportSource> makeTableSource(const QString& path, const ImportOptions& options,
                                              std::unique_ptr<TableReader> opened);

// What an input is, told once for the import and its preview: MARC, a table
// (opened), another catalogue file, or a table that cannot be read (`error`).
struct ImportInput {
  enum class Kind { Marc, Table, Catalogue, Unreadable };
  Kind kind = Kind::Catalogue;
  std::unique_ptr<TableReader> table;
  QString error;
};
ImportInput identifyInput(const QString& input, const ImportOptions& options);
std::unique_ptr<ImportSource> makeCatalogueSource(const QString& path);
// The records of a MARC21, UNIMARC (ISO 2709) or MARCXML file.
bool looksLikeMarc(const QString& path);
std::unique_ptr<ImportSource> makeMarcSource(const QString& path, const ImportOptions& options);
