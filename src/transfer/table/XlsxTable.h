#pragma once

#include <QString>
#include <memory>

#include "transfer/table/TableReader.h"

// The sheet `sheet` (empty for the first) of an xlsx workbook.
std::unique_ptr<TableReader> openXlsxTable(const QString& path, const QString& sheet, QString& error);
