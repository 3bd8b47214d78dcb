#pragma once

#include <QString>
#include <memory>

#include "transfer/table/TableReader.h"

// The sheet `sheet` (empty for the first) of the xlsx workbook `in` (named
// `path` in messages), open and seekable; `in` outlives the table.
std::unique_ptr<TableReader> openXlsxTable(QIODevice& in, const QString& path, const QString& sheet, QString& error);
