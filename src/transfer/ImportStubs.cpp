// Placeholders while the readers are built; each goes with its reader.
#include "transfer/Import.h"
#include "transfer/ImportSource.h"
#include "transfer/TableReader.h"

using namespace Qt::StringLiterals;

std::unique_ptr<TableReader> openTable(const QString&, const QString&, QString&) { return nullptr; }
std::unique_ptr<TableReader> openCsvTable(const QString&, QString&) { return nullptr; }
ImportPreview previewImport(const QString&, const ImportOptions&, int) { return {}; }
QString storedText(const QString& cell, int) { return cell; }
ImportResult importIntoOpenCatalogue(const QString&, CatalogueFile&, const ImportOptions&, const ImportProgress&) {
  ImportResult result;
  result.refuse(u"-"_s);
  return result;
}
