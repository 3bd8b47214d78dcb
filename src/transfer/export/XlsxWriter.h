#pragma once

#include <memory>

#include "transfer/export/ExportWriter.h"

std::unique_ptr<ExportWriter> makeXlsxWriter(ExportOutput& out);
