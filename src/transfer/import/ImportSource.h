#pragma once

#include <QStringList>
#include <functional>
#include <memory>

#include "transfer/OpenToRead.h"
#include "transfer/import/Import.h"
#include "transfer/marc/MarcRecordReader.h"
#include "transfer/table/TableReader.h"

// Where imported records come from, read once: each record is checked, and
// handed on while nothing has been refused; the import keeps them only when
// everything passed.
class ImportSource {
 public:
  using Sink = std::function<bool(const char* recordBytes)>;
  virtual ~ImportSource() = default;
  // Hands each record that passed to `each` while nothing was refused, and
  // adds every reason to refuse (and, when cutting, every cut) to `result`.
  // False when the input cannot be read (`result` then holds the failure) or
  // `each` said stop.
  virtual bool read(ImportResult& result, const Sink& each) = 0;
  // Where the source's n-th record (from 1) came from, for messages: "σειρά 12".
  virtual QString placeOf(qint64 n) const;
};

// Ends a reading that stopReading() stopped: the import was cancelled.
bool stoppedReading(ImportResult& result);

// What an input is, told once for the import and its preview from one
// opening of the file: MARC, a table (opened), another catalogue file, a
// table that cannot be read, or a file that does not open.
struct ImportInput {
  enum class Kind { Marc, Table, Catalogue, Unreadable, Unopened };
  Kind kind = Kind::Catalogue;
  MarcEncoding marc = MarcEncoding::Iso2709;
  // The file, open, for the source that reads it.
  std::unique_ptr<InputFile> file;
  std::unique_ptr<TableReader> table;  // reading `file`
  QString error;                       // Unreadable or Unopened: why
};
ImportInput identifyInput(const QString& input, const ImportOptions& options);
