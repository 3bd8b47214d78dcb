// What the librarian's window shows of an input before importing it.
#include "transfer/import/ImportPreview.h"

#include <QFileInfo>

#include "transfer/ReadingStop.h"
#include "transfer/import/CatalogueSource.h"
#include "transfer/import/Import.h"
#include "transfer/import/ImportSource.h"
#include "transfer/import/MarcSource.h"
#include "transfer/import/TableLayout.h"
#include "transfer/table/TableReader.h"

using namespace Qt::StringLiterals;

namespace {

// Rows kept from the end of a table; a note or totals row stands there.
constexpr int kLastRows = 3;
// Totals rows named at most; past them the file is no list of books anyway.
constexpr int kMostTotals = 20;
// The progress is told every so many rows or records.
constexpr qint64 kProgressEvery = 256;

ImportPreview unreadable(const QString& error) {
  ImportPreview preview;
  preview.error = error;
  return preview;
}

// Records are counted whatever the import will ask about fields too long or
// letters with accents: it asks when it comes to them.
ImportOptions countingOptions(ImportOptions options) {
  options.truncate = true;
  options.foldAccents = true;
  return options;
}

ImportPreview cancelled() {
  ImportPreview preview;
  preview.kind = ImportPreview::Kind::Cancelled;
  return preview;
}

bool goesOn(const ImportProgress& progress, qint64 done) {
  return !progress || done % kProgressEvery != 0 || progress(done, 0);
}

ImportPreview previewRecords(std::unique_ptr<ImportSource> source, const QString& seen,
                             const ImportProgress& progress) {
  ImportPreview preview;
  ImportResult result;
  bool stopped = false;
  const bool read = source->read(result, [&](const char*) {
    ++preview.records;
    stopped = !goesOn(progress, preview.records);
    return !stopped;
  });
  if (stopped) return cancelled();
  if (!read || result.status != ImportResult::Status::Done) {
    ImportPreview preview = unreadable(result.failure);
    preview.reasons = result.refusals.listed;
    return preview;
  }
  preview.kind = ImportPreview::Kind::Records;
  preview.seen = seen;
  return preview;
}

void noteTotals(ImportPreview& preview, int number, const QStringList& cells) {
  if (preview.totalsNumbers.contains(number) || preview.totalsNumbers.size() >= kMostTotals) return;
  QStringList filled;
  for (const QString& cell : cells)
    if (!isBlankCell(cell)) filled.append(cell.trimmed());
  preview.totalsNumbers.append(number);
  preview.totalsTexts.append(filled.join(u" | "_s));
}

// Every row is read, for the count and the last rows, keeping the first
// `rows` and the last few.
ImportPreview previewTable(TableReader& table, const ImportOptions& options, const ImportProgress& progress, int rows) {
  ImportPreview preview;
  preview.kind = ImportPreview::Kind::Table;
  preview.seen = table.seen();
  QList<QStringList> tail;
  QList<int> tailNumbers;
  auto take = [&](const QStringList& cells) {
    ++preview.rowCount;
    if (looksLikeTotals(cells)) noteTotals(preview, table.row(), cells);
    if (preview.rows.size() < rows) {
      preview.rows.append(cells);
      preview.rowNumbers.append(table.row());
      return;
    }
    tail.append(cells);
    tailNumbers.append(table.row());
    if (tail.size() > kLastRows) {
      tail.removeFirst();
      tailNumbers.removeFirst();
    }
  };
  QStringList cells;
  if (nextFilledRow(table, cells)) {
    const TableLayout layout = tableLayout(cells, options);
    preview.header = cells;
    preview.headerNumber = table.row();
    preview.headerRecognised = layout.headerRow && layout.namesAny && layout.unknown.isEmpty();
    preview.columns = layout.columns;
    if (!layout.headerRow) take(cells);
  }
  while (nextFilledRow(table, cells)) {
    take(cells);
    if (!goesOn(progress, preview.rowCount)) return cancelled();
  }
  preview.lastRows = tail;
  preview.lastNumbers = tailNumbers;
  // A label beside a number counts only in the last row, where totals stand.
  const QList<QStringList> ending = preview.rows.mid(std::max<qsizetype>(0, preview.rows.size() - 2)) + tail;
  const QList<int> endingNumbers =
      preview.rowNumbers.mid(std::max<qsizetype>(0, preview.rowNumbers.size() - 2)) + tailNumbers;
  if (ending.size() >= 2 && looksLikeTotals(ending.last(), &ending[ending.size() - 2]))
    noteTotals(preview, endingNumbers.last(), ending.last());
  std::sort(preview.totalsNumbers.begin(), preview.totalsNumbers.end());
  preview.sheets = table.sheets();
  for (const QString& name : preview.sheets)
    if (options.sheet.isEmpty() ? name == preview.sheets.first()
                                : name.compare(options.sheet, Qt::CaseInsensitive) == 0)
      preview.sheet = name;
  if (!table.error().isEmpty()) preview.error = table.error();
  return preview;
}

}  // namespace

ImportPreview previewImport(const QString& input, const ImportOptions& options, const ImportProgress& progress,
                            int rows) {
  resumeReading();
  if (!QFileInfo(input).isFile())
    return unreadable(u"Το «%1» δεν είναι αρχείο που διαβάζεται."_s.arg(QFileInfo(input).fileName()));
  ImportInput identified = identifyInput(input, options);
  switch (identified.kind) {
    case ImportInput::Kind::Marc:
      return previewRecords(
          makeMarcSource(std::move(identified.file), input, identified.marc, countingOptions(options)), u"MARC"_s,
          progress);
    case ImportInput::Kind::Table:
      return previewTable(*identified.table, options, progress, rows);
    case ImportInput::Kind::Catalogue:
      return previewRecords(makeCatalogueSource(input), u"κατάλογος"_s, progress);
    case ImportInput::Kind::Unreadable:
    case ImportInput::Kind::Unopened:
      break;
  }
  return unreadable(identified.error);
}
