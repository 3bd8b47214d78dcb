#include "transfer/export/Export.h"

#include <QFileInfo>

#include "catalogue/RecordField.h"
#include "catalogue/file/CatalogueFile.h"
#include "catalogue/search/RecordScan.h"
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
      return makeMarcWriter(output, MarcStandard::Marc21, MarcEncoding::Iso2709, options.marc);
    case ExportFormat::MarcXml:
      return makeMarcWriter(output, MarcStandard::Marc21, MarcEncoding::MarcXml, options.marc);
    case ExportFormat::Unimarc:
      return makeMarcWriter(output, MarcStandard::Unimarc, MarcEncoding::Iso2709, options.marc);
    case ExportFormat::Ods:
    case ExportFormat::Xls:
    case ExportFormat::Catalogue:
      break;
  }
  return nullptr;
}

ExportResult failure(const QString& error) { return {ExportResult::Status::Failed, 0, error}; }

}  // namespace

std::optional<ExportFormat> exportFormatNamed(const QString& name) {
  for (const FileFormat& format : writtenFormats())
    if (format.name == name) return format.id;
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
  if (!fileFormat(options.format).canWrite())
    return {ExportResult::Status::Refused, 0,
            u"Ο κατάλογος δεν γράφεται σε μορφή %1."_s.arg(fileFormat(options.format).shown)};
  CatalogueFile file;
  if (const QString error = openToRead(file, catalogue); !error.isEmpty()) return failure(error);

  // A sheet holds the header row and the records below it.
  if (const FileFormat& format = fileFormat(options.format);
      format.sheetRows > 0 && file.recordCount() > format.sheetRows - 1)
    return {ExportResult::Status::Refused, 0,
            u"Το αρχείο «%1» δεν γράφτηκε: ο κατάλογος έχει %2 εγγραφές, ενώ ένα φύλλο %3 χωρά %4."_s
                .arg(QFileInfo(output).fileName())
                .arg(file.recordCount())
                .arg(format.shown)
                .arg(format.sheetRows - 1)};
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
