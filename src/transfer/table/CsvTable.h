#pragma once

#include <QString>
#include <memory>

#include "transfer/table/TableReader.h"

// A CSV file, its encoding and separator found from its start.
std::unique_ptr<TableReader> openCsvTable(const QString& path, QString& error);
