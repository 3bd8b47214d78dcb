#include "transfer/TableColumns.h"

#include "catalogue/FieldLabels.h"

using namespace Qt::StringLiterals;

QString codeColumnName() { return u"Κωδικός"_s; }

QStringList tableHeader(const std::vector<int>& fields) {
  QStringList header{codeColumnName()};
  for (int field : fields) header.append(fieldLabel(field));
  return header;
}
