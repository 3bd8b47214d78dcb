// What the librarian's window shows of an input before importing it.
#include "transfer/import/ImportPreview.h"

#include <QFileInfo>

#include "transfer/import/CatalogueSource.h"
#include "transfer/import/ImportSource.h"
#include "transfer/import/MarcSource.h"
#include "transfer/import/TableLayout.h"
#include "transfer/table/TableReader.h"

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
  const bool read = source->read(result, [&](const char*) {
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
  if (nextFilledRow(table, cells)) {
    const TableLayout layout = tableLayout(cells, options);
    preview.header = cells;
    preview.headerRecognised = layout.headerRow && layout.namesAny && layout.unknown.isEmpty();
    preview.columns = layout.columns;
    if (!layout.headerRow) preview.rows.append(cells);
  }
  while (preview.rows.size() < rows && nextFilledRow(table, cells)) preview.rows.append(cells);
  if (!table.error().isEmpty()) preview.error = table.error();
  return preview;
}

}  // namespace

ImportPreview previewImport(const QString& input, const ImportOptions& options, int rows) {
  if (!QFileInfo(input).isFile())
    return unreadable(u"Το «%1» δεν είναι αρχείο που διαβάζεται."_s.arg(QFileInfo(input).fileName()));
  const ImportInput identified = identifyInput(input, options);
  switch (identified.kind) {
    case ImportInput::Kind::Marc:
      return previewRecords(makeMarcSource(input, options), u"MARC"_s);
    case ImportInput::Kind::Table:
      return previewTable(*identified.table, options, rows);
    case ImportInput::Kind::Catalogue:
      return previewRecords(makeCatalogueSource(input), u"κατάλογος"_s);
    case ImportInput::Kind::Unreadable:
      break;
  }
  return unreadable(identified.error);
}
