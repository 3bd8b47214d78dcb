// Which kind of table a file is: by its content first, then by its name.
#include "transfer/table/TableReader.h"

#include <QFileInfo>

#include "transfer/table/CsvReader.h"
#include "transfer/table/CsvTable.h"
#include "transfer/table/OdsTable.h"
#include "transfer/table/TableColumns.h"
#include "transfer/table/XlsTable.h"
#include "transfer/table/XlsxTable.h"

using namespace Qt::StringLiterals;

namespace {

enum class Kind { Xlsx, Ods, Xls, Csv, None };

// A first line whose cells, split at any separator, all name columns.
bool startsWithHeader(const QByteArray& start) {
  const QString text = QString::fromUtf8(start);
  if (text.trimmed().isEmpty()) return false;
  for (const QChar separator : {u';', u'\t', u','}) {
    const QStringList cells = firstLineCells(text, separator);
    if (std::all_of(cells.begin(), cells.end(), [](const QString& c) { return columnField(c) != kNoColumn; }))
      return true;
  }
  return false;
}

Kind kindOf(const QString& path, QIODevice& file) {
  if (!file.seek(0)) return Kind::None;
  const QByteArray start = file.read(4096);
  const QString suffix = QFileInfo(path).suffix().toLower();
  // A zip: an OpenDocument file names its kind in its first entry, "mimetype".
  if (start.startsWith("PK\x03\x04")) {
    const bool ods =
        start.first(std::min<qsizetype>(start.size(), 200)).contains("application/vnd.oasis.opendocument.spreadsheet");
    return ods || suffix == u"ods"_s ? Kind::Ods : Kind::Xlsx;
  }
  if (start.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return Kind::Xls;
  if (suffix == u"csv"_s || suffix == u"tsv"_s || suffix == u"txt"_s) return Kind::Csv;
  if (start.startsWith("\xEF\xBB\xBF") || start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF"))
    return Kind::Csv;
  return startsWithHeader(start) ? Kind::Csv : Kind::None;
}

}  // namespace

std::unique_ptr<TableReader> openTable(QIODevice& in, const QString& path, const QString& sheet, QString& error) {
  error.clear();
  std::unique_ptr<TableReader> table;
  QString kind;
  switch (kindOf(path, in)) {
    case Kind::Xlsx:
      table = openXlsxTable(in, path, sheet, error);
      kind = u"xlsx"_s;
      break;
    case Kind::Ods:
      table = openOdsTable(in, path, sheet, error);
      kind = u"ods"_s;
      break;
    case Kind::Xls:
      table = openXlsTable(path, sheet, error);
      kind = u"xls"_s;
      break;
    case Kind::Csv:
      return openCsvTable(in, path, error);
    case Kind::None:
      return nullptr;
  }
  // A spreadsheet is never taken for a catalogue, even where it cannot be read.
  if (!table && error.isEmpty())
    error = u"το «%1» είναι υπολογιστικό φύλλο %2, που δεν διαβάζεται εδώ· αποθηκεύστε το ως CSV"_s.arg(
        QFileInfo(path).fileName(), kind);
  return table;
}
