#pragma once

#include <QString>
#include <memory>

#include "transfer/table/TableReader.h"

// The CSV file `in` (named `path` in messages), its encoding and separator
// found from its start; read from its start, `in` open and seekable.
std::unique_ptr<TableReader> openCsvTable(QIODevice& in, const QString& path, QString& error);
