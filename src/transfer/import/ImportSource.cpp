#include "transfer/import/ImportSource.h"

#include "transfer/import/MarcSource.h"
#include "transfer/table/TableReader.h"

using namespace Qt::StringLiterals;

QString ImportSource::placeOf(qint64 n) const { return u"εγγραφή %1"_s.arg(n); }

ImportInput identifyInput(const QString& input, const ImportOptions& options) {
  ImportInput identified;
  if (looksLikeMarc(input)) {
    identified.kind = ImportInput::Kind::Marc;
  } else if ((identified.table = openTable(input, options.sheet, identified.error))) {
    identified.kind = ImportInput::Kind::Table;
  } else if (!identified.error.isEmpty()) {
    identified.kind = ImportInput::Kind::Unreadable;
  }
  return identified;
}
