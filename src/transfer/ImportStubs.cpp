// Placeholders while the readers are built; each goes with its reader.
#include "transfer/Import.h"
#include "transfer/ImportSource.h"
#include "transfer/TableReader.h"

std::unique_ptr<TableReader> openXlsxTable(const QString&, const QString&, QString&) { return nullptr; }
std::unique_ptr<TableReader> openOdsTable(const QString&, const QString&, QString&) { return nullptr; }
std::unique_ptr<TableReader> openXlsTable(const QString&, const QString&, QString&) { return nullptr; }
bool looksLikeMarc(const QString&) { return false; }
std::unique_ptr<ImportSource> makeMarcSource(const QString&, const ImportOptions&) { return nullptr; }
