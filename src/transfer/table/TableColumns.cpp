#include "transfer/table/TableColumns.h"

#include <vector>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"
#include "catalogue/FieldLabels.h"
#include "catalogue/ForgivingMatcher.h"
#include "catalogue/RecordField.h"

using namespace Qt::StringLiterals;

namespace {

struct ColumnNames {
  int field;
  QStringList names;  // the first is the one the messages show
};

// Besides the export's own labels, the names schools' lists use; kept in
// step with docs/import-columns.md.
const std::vector<ColumnNames>& columnNames() {
  static const std::vector<ColumnNames> names{
      {kCodeColumn, {u"Κωδικός"_s, u"Κωδ."_s, u"Α/Α"_s, u"Αύξων αριθμός"_s}},
      {0,
       {u"Συγγραφέας"_s, u"Συγγραφείς"_s, u"Συγγραφέας - Επιμελητής"_s, u"Επιμελητής"_s, u"Επιμέλεια"_s,
        u"Δημιουργός"_s}},
      {1,
       {u"Μεταφραστής"_s, u"Μετάφραση"_s, u"Διασκευαστής"_s, u"Διασκευή"_s, u"Εικονογράφος"_s, u"Εικονογράφηση"_s,
        u"Άλλοι συντελεστές"_s}},
      {2, {u"Τίτλος"_s, u"Κύριος τίτλος"_s, u"Τίτλος βιβλίου"_s, u"Τίτλος και υπότιτλος"_s}},
      {3,
       {u"Εκδότης"_s, u"Έκδοση"_s, u"Εκδόσεις"_s, u"Εκδοτικός οίκος"_s, u"Εκδοτικά στοιχεία"_s, u"Στοιχεία έκδοσης"_s,
        u"Τόπος"_s, u"Τόπος έκδοσης"_s, u"Έτος"_s, u"Έτος έκδοσης"_s, u"Σελίδες"_s}},
      {4,
       {u"Βιβλιάριθμος"_s, u"Αριθμός εισαγωγής"_s, u"Αρ. εισαγωγής"_s, u"Αριθμός βιβλίου"_s, u"Θέμα"_s,
        u"Θεματολογία"_s, u"Βιβλιάριθμος και θέμα"_s}},
      {5,
       {u"Δανειζόμενος"_s, u"Δανειζόμενη"_s, u"Δανεισμός"_s, u"Ονοματεπώνυμο δανειζόμενου"_s, u"Επιστροφή"_s,
        u"Ημερομηνία επιστροφής"_s}},
  };
  return names;
}

bool isWordByte(unsigned char b) { return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || b >= 0xC1; }

// Upper case without accents, Latin look-alikes as the Greek letters, and
// every run of blanks and punctuation one blank, none at either end.
QByteArray folded(const QString& name) {
  QByteArray out;
  bool gap = false;
  for (const char c : cp1253::encode(name.normalized(QString::NormalizationForm_C))) {
    const unsigned char b = forgivingFold(uchar(c));
    if (!isWordByte(b)) {
      gap = !out.isEmpty();
      continue;
    }
    if (gap) out.append(' ');
    gap = false;
    out.append(char(b));
  }
  return out;
}

}  // namespace

QString codeColumnName() { return u"Κωδικός"_s; }

QStringList tableHeader(const std::vector<int>& fields) {
  QStringList header{codeColumnName()};
  for (int field : fields) header.append(fieldLabel(field));
  return header;
}

int columnField(const QString& name) {
  const QByteArray key = folded(name);
  if (key.isEmpty()) return kNoColumn;
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i)
    if (key == folded(fieldLabel(i))) return i;
  for (const ColumnNames& column : columnNames())
    for (const QString& known : column.names)
      if (key == folded(known)) return column.field;
  return kNoColumn;
}

QStringList acceptedColumnNames() {
  QStringList lines;
  for (const ColumnNames& column : columnNames()) {
    QStringList names = column.names;
    if (column.field != kCodeColumn) names.prepend(fieldLabel(column.field));
    lines.append(u"  "_s + names.join(u", "_s));
  }
  return lines;
}

QList<int> columnsNamed(const QString& list, QStringList& unknown) {
  // Split at commas outside double quotes: the export's publication label holds commas.
  QStringList parts{QString()};
  bool quoted = false;
  for (const QChar c : list) {
    if (c == u'"')
      quoted = !quoted;
    else if (c == u',' && !quoted)
      parts.append(QString());
    else
      parts.last().append(c);
  }
  QList<int> columns;
  for (const QString& part : parts) {
    const QString name = part.trimmed();
    if (name == u"-"_s) {
      columns.append(kNoColumn);
      continue;
    }
    const int field = columnField(name);
    if (field == kNoColumn) unknown.append(name);
    columns.append(field);
  }
  return columns;
}

QString columnJoiner(int field) { return field == recordfield::kPublication ? u", "_s : u" "_s; }
