#include "transfer/TableColumns.h"

#include "catalogue/CatalogueRecord.h"
#include "catalogue/FieldLabels.h"

using namespace Qt::StringLiterals;

QString codeColumnName() { return u"Κωδικός"_s; }

QStringList tableHeader(const std::vector<int>& fields) {
  QStringList header{codeColumnName()};
  for (int field : fields) header.append(fieldLabel(field));
  return header;
}

int columnField(const QString& name) {
  if (name == codeColumnName()) return kCodeColumn;
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i)
    if (name == fieldLabel(i)) return i;
  return kNoColumn;
}
