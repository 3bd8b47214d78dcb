#include "export_command/CatalogueExportCommand.h"

#include <QDir>
#include <QFileInfo>

#include "transfer/export/Export.h"

using namespace Qt::StringLiterals;

namespace {

// The chosen filter's format, unless the name typed ends in another
// format's suffix: a file named "list.xlsx" must not hold csv.
ExportFormatInfo formatFor(const Dialogs::SaveChoice& choice, const QList<ExportFormatInfo>& formats) {
  const ExportFormatInfo chosen = formats.value(choice.filter, formats[0]);
  const QString suffix = u"."_s + QFileInfo(choice.path).suffix().toLower();
  if (suffix == chosen.suffix) return chosen;
  for (const ExportFormatInfo& f : formats)
    if (f.suffix == suffix) return f;
  return chosen;
}

// The records a format could not carry, on a line of their own.
QString leftOutLine(const RecordList& leftOut) {
  if (leftOut.isEmpty()) return {};
  return u"\r\nΔεν γράφτηκαν οι εγγραφές χωρίς τίτλο (%1): %2."_s.arg(leftOut.count()).arg(leftOut.toString());
}

}  // namespace

bool CatalogueExportCommand::exportCatalogue(const QString& cataloguePath, Dialogs& dialogs,
                                             const QString& productTitle) {
  const QString title = productTitle + u": Εξαγωγή καταλόγου"_s;
  const QList<ExportFormatInfo>& formats = exportFormats();
  QStringList filters;
  for (const ExportFormatInfo& f : formats) filters.append(f.filter);
  const QFileInfo catalogue(cataloguePath);
  // Students' names leave the school only when the librarian asks for them.
  const Dialogs::SaveChoice choice =
      dialogs.saveFile(title, catalogue.absoluteDir().filePath(catalogue.completeBaseName() + formats[0].suffix),
                       filters, {u"Χωρίς τα ονόματα των δανειζόμενων"_s, true});
  if (choice.path.isEmpty()) return false;

  const ExportFormatInfo format = formatFor(choice, formats);
  QString path = choice.path;
  if (QFileInfo(path).suffix().isEmpty()) path += format.suffix;
  const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());

  ExportResult result;
  {
    const std::unique_ptr<Dialogs::Progress> progress =
        dialogs.progress(u"Εξαγωγή του καταλόγου στο «%1»…"_s.arg(QFileInfo(path).fileName()), title);
    result = ::exportCatalogue(cataloguePath, path, {format.format, !choice.checked},
                               [&](qint64 done, qint64 total) { return progress->advance(done, total); });
  }
  switch (result.status) {
    case ExportResult::Status::Done:
      dialogs.notice(u"Ο κατάλογος (%1 εγγραφές) γράφτηκε στο αρχείο\r\n%2"_s.arg(result.records).arg(shown) +
                         leftOutLine(result.leftOut),
                     productTitle, Dialogs::Icon::Information);
      return true;
    case ExportResult::Status::Cancelled:
      dialogs.notice(u"Η εξαγωγή ακυρώθηκε· το αρχείο «%1» δεν γράφτηκε."_s.arg(shown), productTitle,
                     Dialogs::Icon::Information);
      return false;
    case ExportResult::Status::Failed:
    case ExportResult::Status::Refused:
      dialogs.notice(result.error, productTitle, Dialogs::Icon::Exclamation);
      return false;
  }
  return false;
}
