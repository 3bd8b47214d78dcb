#include "transfer/import/ImportSource.h"

#include <QFileInfo>

#include "catalogue/CatalogueRecord.h"
#include "transfer/import/MarcSource.h"
#include "transfer/table/TableReader.h"

using namespace Qt::StringLiterals;

bool stoppedReading(ImportResult& result) {
  result = ImportResult();
  result.status = ImportResult::Status::Cancelled;
  return false;
}

QString ImportSource::placeOf(qint64 n) const { return u"εγγραφή %1"_s.arg(n); }

// The kind is told from one opening of the file: MARC by its leader or root
// element or its name, a table by its content and name, MARC damaged early by
// its look, else another catalogue.
ImportInput identifyInput(const QString& input, const ImportOptions& options) {
  ImportInput identified;
  identified.file = std::make_unique<InputFile>();
  identified.error = identified.file->open(input);
  if (!identified.error.isEmpty()) {
    identified.kind = ImportInput::Kind::Unopened;
    return identified;
  }
  InputFile& file = *identified.file;
  const std::optional<MarcEncoding> marc = marcEncodingOf(file);
  // A name only MARC files have: an empty or damaged one is refused as MARC,
  // never read as a catalogue.
  const QString suffix = QFileInfo(input).suffix().toLower();
  if (marc || suffix == u"mrc"_s || suffix == u"marc"_s) {
    identified.kind = ImportInput::Kind::Marc;
    identified.marc = marc.value_or(MarcEncoding::Iso2709);
  } else if ((identified.table = openTable(file, input, options.sheet, identified.error))) {
    identified.kind = ImportInput::Kind::Table;
  } else if (!identified.error.isEmpty()) {
    identified.kind = ImportInput::Kind::Unreadable;
  } else if (const std::optional<MarcEncoding> look = marcFileLookOf(file, suffix == u"xml"_s);
             look == MarcEncoding::MarcXml ||
             (look == MarcEncoding::Iso2709 && file.size() % CatalogueRecord::kLength != 0)) {
    // MARC damaged early, and no catalogue: refused as MARC, where it breaks.
    identified.kind = ImportInput::Kind::Marc;
    identified.marc = *look;
  }
  return identified;
}
