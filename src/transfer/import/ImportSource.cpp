#include "transfer/import/ImportSource.h"

#include <QFile>

#include "transfer/import/MarcSource.h"
#include "transfer/table/TableReader.h"

using namespace Qt::StringLiterals;

QString ImportSource::placeOf(qint64 n) const { return u"εγγραφή %1"_s.arg(n); }

// The kind is told from one opening of the file: MARC by its leader or root
// element, a table by its content and name, else another catalogue.
ImportInput identifyInput(const QString& input, const ImportOptions& options) {
  ImportInput identified;
  QFile file(input);
  if (!file.open(QIODevice::ReadOnly)) return identified;
  if ((identified.marc = marcFileKindOf(file)) != MarcFileKind::None) {
    identified.kind = ImportInput::Kind::Marc;
  } else if ((identified.table = openTable(input, file, options.sheet, identified.error))) {
    identified.kind = ImportInput::Kind::Table;
  } else if (!identified.error.isEmpty()) {
    identified.kind = ImportInput::Kind::Unreadable;
  }
  return identified;
}
