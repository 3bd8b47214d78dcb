#pragma once

#include <QString>
#include <memory>

#include "transfer/import/ImportSource.h"

// The rows of a CSV file or of a spreadsheet's sheet (TableReader.h), read
// once from `opened`, the table as openTable gave it reading `in` (named
// `path` in messages).
std::unique_ptr<ImportSource> makeTableSource(std::unique_ptr<QIODevice> in, const QString& path,
                                              const ImportOptions& options, std::unique_ptr<TableReader> opened);
