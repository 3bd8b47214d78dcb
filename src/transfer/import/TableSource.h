#pragma once

#include <QString>
#include <memory>

#include "transfer/import/ImportSource.h"

// The rows of a CSV file or of a spreadsheet's sheet (TableReader.h), its
// first reading from `opened`, the table as openTable gave it.
std::unique_ptr<ImportSource> makeTableSource(const QString& path, const ImportOptions& options,
                                              std::unique_ptr<TableReader> opened);
