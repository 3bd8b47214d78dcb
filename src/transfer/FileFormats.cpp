#include "transfer/FileFormats.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString filterOf(const QString& label, const QStringList& suffixes) {
  QStringList patterns;
  for (const QString& suffix : suffixes) patterns.append(u"*."_s + suffix);
  return u"%1 (%2)"_s.arg(label, patterns.join(u' '));
}

}  // namespace

QString FileFormat::readFilter() const { return filterOf(readLabel, suffixes); }

QString FileFormat::writeFilter() const { return filterOf(writeLabel, suffixes.mid(0, 1)); }

const QList<FileFormat>& fileFormats() {
  using Id = FileFormatId;
  using F = FileFormat::Family;
  // The largest sheets the spreadsheet programs make; xls keeps the old row limit.
  constexpr qint64 kSheetRows = 1 << 20;
  static const QList<FileFormat> formats{
      {Id::Csv, F::Table, u"csv"_s, u"CSV"_s, {u"csv"_s, u"txt"_s}, u"Πίνακας CSV ή κειμένου"_s, u"Πίνακας CSV"_s},
      {Id::Xlsx,
       F::Table,
       u"xlsx"_s,
       u"xlsx"_s,
       {u"xlsx"_s},
       u"Υπολογιστικό φύλλο Excel"_s,
       u"Υπολογιστικό φύλλο Excel"_s,
       kSheetRows},
      {Id::Ods, F::Table, u"ods"_s, u"ods"_s, {u"ods"_s}, u"Υπολογιστικό φύλλο OpenDocument"_s, {}, kSheetRows},
      {Id::Xls, F::Table, u"xls"_s, u"xls"_s, {u"xls"_s}, u"Παλαιό υπολογιστικό φύλλο Excel"_s, {}, 1 << 16},
      // Read, MARC21 and UNIMARC are one format: the records tell which they are.
      {Id::Marc21,
       F::Marc,
       u"marc21"_s,
       u"MARC21"_s,
       {u"mrc"_s},
       u"MARC21 ή UNIMARC για βιβλιοθήκες"_s,
       u"MARC21 για βιβλιοθήκες"_s},
      {Id::MarcXml,
       F::Marc,
       u"marcxml"_s,
       u"MARCXML"_s,
       {u"xml"_s},
       u"MARCXML για βιβλιοθήκες"_s,
       u"MARCXML για βιβλιοθήκες"_s},
      {Id::Unimarc, F::Marc, u"unimarc"_s, u"UNIMARC"_s, {u"mrc"_s}, {}, u"UNIMARC για βιβλιοθήκες"_s},
      {Id::Catalogue, F::Catalogue, u"dat"_s, u"κατάλογος"_s, {u"dat"_s}, u"Κατάλογος"_s, {}},
  };
  return formats;
}

const FileFormat& fileFormat(FileFormatId id) {
  for (const FileFormat& format : fileFormats())
    if (format.id == id) return format;
  return fileFormats().front();
}

qint64 mostSheetRows() {
  qint64 most = 0;
  for (const FileFormat& format : fileFormats()) most = std::max(most, format.sheetRows);
  return most;
}

QList<FileFormat> writtenFormats() {
  QList<FileFormat> written;
  for (const FileFormat& format : fileFormats())
    if (format.canWrite()) written.append(format);
  return written;
}

QStringList openFilters() {
  QStringList suffixes;
  QStringList each;
  for (const FileFormat& format : fileFormats()) {
    if (!format.canRead()) continue;
    for (const QString& suffix : format.suffixes)
      if (!suffixes.contains(suffix)) suffixes.append(suffix);
    each.append(format.readFilter());
  }
  return QStringList{filterOf(u"Καταλόγοι και πίνακες"_s, suffixes)} + each + QStringList{u"Όλα τα αρχεία (*)"_s};
}
