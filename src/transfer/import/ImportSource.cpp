#include "transfer/import/ImportSource.h"

#include <QFile>
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
  QFile file(input);
  if (!file.open(QIODevice::ReadOnly)) return identified;
  identified.marc = marcFileKindOf(file);
  // A name only MARC files have: an empty or damaged one is refused as MARC,
  // never read as a catalogue.
  const QString suffix = QFileInfo(input).suffix().toLower();
  if (identified.marc == MarcFileKind::None && (suffix == u"mrc"_s || suffix == u"marc"_s))
    identified.marc = MarcFileKind::Iso2709;
  if (identified.marc != MarcFileKind::None) {
    identified.kind = ImportInput::Kind::Marc;
  } else if ((identified.table = openTable(input, file, options.sheet, identified.error))) {
    identified.kind = ImportInput::Kind::Table;
  } else if (!identified.error.isEmpty()) {
    identified.kind = ImportInput::Kind::Unreadable;
  } else if (const MarcFileKind look = marcFileLookOf(file, suffix == u"xml"_s);
             look == MarcFileKind::MarcXml ||
             (look == MarcFileKind::Iso2709 && file.size() % CatalogueRecord::kLength != 0)) {
    // MARC damaged early, and no catalogue: refused as MARC, where it breaks.
    identified.kind = ImportInput::Kind::Marc;
    identified.marc = look;
  }
  return identified;
}
