#include "transfer/export/Export.h"

#include <QFileInfo>

#include "catalogue/CatalogueFile.h"
#include "catalogue/RecordField.h"
#include "catalogue/RecordScan.h"
#include "transfer/OpenToRead.h"
#include "transfer/export/CsvWriter.h"
#include "transfer/export/ExportWriter.h"
#include "transfer/export/MarcExportWriter.h"
#include "transfer/export/OutputFile.h"
#include "transfer/export/XlsxWriter.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 kProgressEvery = 2048;

std::unique_ptr<ExportWriter> writerFor(const ExportOptions& options, ExportOutput& output) {
  switch (options.format) {
    case ExportFormat::Csv:
      return makeCsvWriter(output);
    case ExportFormat::Xlsx:
      return makeXlsxWriter(output);
    case ExportFormat::Marc21:
      return makeMarcWriter(output, MarcFlavour::Marc21, options.marc);
    case ExportFormat::MarcXml:
      return makeMarcWriter(output, MarcFlavour::MarcXml, options.marc);
    case ExportFormat::Unimarc:
      return makeMarcWriter(output, MarcFlavour::Unimarc, options.marc);
  }
  return nullptr;
}

ExportResult failure(const QString& error) { return {ExportResult::Status::Failed, 0, error}; }

}  // namespace

const QList<ExportFormatInfo>& exportFormats() {
  static const QList<ExportFormatInfo> formats{
      {ExportFormat::Csv, u"csv"_s, u".csv"_s, u"Πίνακας CSV (*.csv)"_s},
      {ExportFormat::Xlsx, u"xlsx"_s, u".xlsx"_s, u"Υπολογιστικό φύλλο Excel (*.xlsx)"_s},
      {ExportFormat::Marc21, u"marc21"_s, u".mrc"_s, u"MARC21 για βιβλιοθήκες (*.mrc)"_s},
      {ExportFormat::MarcXml, u"marcxml"_s, u".xml"_s, u"MARCXML για βιβλιοθήκες (*.xml)"_s},
      {ExportFormat::Unimarc, u"unimarc"_s, u".mrc"_s, u"UNIMARC για βιβλιοθήκες (*.mrc)"_s},
  };
  return formats;
}

std::optional<ExportFormat> exportFormatNamed(const QString& name) {
  for (const ExportFormatInfo& info : exportFormats())
    if (info.name == name) return info.format;
  return std::nullopt;
}

ExportResult exportCatalogue(const QString& catalogue, const QString& output, const ExportOptions& options,
                             const ExportProgress& progress) {
  // Written by renaming over the output, or removed as a leftover part file,
  // the catalogue itself would be lost: compared by identity, not by name.
  if (sameFile(catalogue, output) || sameFile(catalogue, OutputFile::partPathFor(output)))
    return {ExportResult::Status::Refused, 0,
            u"Η εξαγωγή δεν γίνεται πάνω στον ίδιο τον κατάλογο «%1»: διαλέξτε άλλο αρχείο."_s.arg(
                QFileInfo(catalogue).fileName())};
  CatalogueFile file;
  if (const QString error = openToRead(file, catalogue); !error.isEmpty()) return failure(error);

  if (options.format == ExportFormat::Xlsx && file.recordCount() > xlsxMostRecords())
    return {ExportResult::Status::Refused, 0,
            u"Το αρχείο «%1» δεν γράφτηκε: ο κατάλογος έχει %2 εγγραφές, ενώ ένα φύλλο xlsx χωρά %3."_s
                .arg(QFileInfo(output).fileName())
                .arg(file.recordCount())
                .arg(xlsxMostRecords())};
  std::vector<int> fields{recordfield::kAuthor, recordfield::kOtherNames, recordfield::kTitle,
                          recordfield::kPublication, recordfield::kNumberAndSubject};
  const bool table = options.format == ExportFormat::Csv || options.format == ExportFormat::Xlsx;
  if (options.borrowers && table) fields.push_back(recordfield::kBorrower);
  OutputFile out(output);
  if (!out.open()) return failure(out.error());
  std::unique_ptr<ExportWriter> writer = writerFor(options, out);
  if (!writer->begin(fields)) return failure(writer->error());

  const qint32 total = file.recordCount();
  RecordScan scan(file);
  for (qint32 n = 1; n <= total; ++n) {
    const char* record = scan.record(n);
    if (!record) break;
    if (!writer->write(n, record)) return failure(writer->error());
    if (progress && n % kProgressEvery == 0 && !progress(n, total)) return {ExportResult::Status::Cancelled, 0, {}};
  }
  if (scan.failed()) return failure(file.lastError().describe());
  if (!writer->finish()) return failure(writer->error());
  if (!out.commit()) return failure(out.error());
  if (progress) progress(total, total);
  return {ExportResult::Status::Done, writer->written(), {}, writer->leftOut()};
}
