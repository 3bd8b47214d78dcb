// What the librarian's window shows of an input before importing it.
#include <QFileInfo>

#include "transfer/Import.h"
#include "transfer/ImportSource.h"
#include "transfer/TableLayout.h"
#include "transfer/TableReader.h"

using namespace Qt::StringLiterals;

namespace {

ImportPreview unreadable(const QString& error) {
  ImportPreview preview;
  preview.error = error;
  return preview;
}

ImportPreview previewRecords(std::unique_ptr<ImportSource> source, const QString& seen) {
  ImportPreview preview;
  ImportResult result;
  const bool read = source->checkEach(result, [&](const char*) {
    ++preview.records;
    return true;
  });
  if (!read || result.status != ImportResult::Status::Done) return unreadable(result.messages.join(u'\n'));
  preview.kind = ImportPreview::Kind::Records;
  preview.seen = seen;
  return preview;
}

ImportPreview previewTable(TableReader& table, const ImportOptions& options, int rows) {
  ImportPreview preview;
  preview.kind = ImportPreview::Kind::Table;
  preview.seen = table.seen();
  QStringList cells;
  bool more = false;
  while ((more = table.next(cells)) && isBlankRow(cells)) {
  }
  if (more) {
    const TableLayout layout = tableLayout(cells, options);
    preview.header = cells;
    preview.headerRecognised = layout.headerRow && layout.namesAny && layout.unknown.isEmpty();
    preview.columns = layout.columns;
    if (!layout.headerRow) preview.rows.append(cells);
  }
  while (preview.rows.size() < rows && table.next(cells))
    if (!isBlankRow(cells)) preview.rows.append(cells);
  if (!table.error().isEmpty()) preview.error = table.error();
  return preview;
}

}  // namespace

ImportPreview previewImport(const QString& input, const ImportOptions& options, int rows) {
  if (!QFileInfo(input).isFile())
    return unreadable(u"Το «%1» δεν είναι αρχείο που διαβάζεται."_s.arg(QFileInfo(input).fileName()));
  if (looksLikeMarc(input)) return previewRecords(makeMarcSource(input, options), u"MARC"_s);
  QString error;
  if (std::unique_ptr<TableReader> table = openTable(input, options.sheet, error))
    return previewTable(*table, options, rows);
  if (!error.isEmpty()) return unreadable(error);
  return previewRecords(makeCatalogueSource(input), u"κατάλογος"_s);
}
