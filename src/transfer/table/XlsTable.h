#pragma once

#include <QString>
#include <memory>

#include "transfer/table/TableReader.h"

// The sheet `sheet` (empty for the first) of an xls workbook.
std::unique_ptr<TableReader> openXlsTable(const QString& path, const QString& sheet, QString& error);
