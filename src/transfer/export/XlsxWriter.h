#pragma once

#include <memory>

#include "transfer/export/ExportWriter.h"

std::unique_ptr<ExportWriter> makeXlsxWriter(ExportOutput& out);
// The records one xlsx sheet holds under its header row.
qint64 xlsxMostRecords();
