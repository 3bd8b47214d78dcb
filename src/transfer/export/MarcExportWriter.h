#pragma once

#include <memory>

#include "transfer/export/ExportWriter.h"
#include "transfer/marc/MarcOptions.h"
#include "transfer/marc/MarcWriter.h"

std::unique_ptr<ExportWriter> makeMarcWriter(ExportOutput& out, MarcStandard standard, MarcEncoding encoding,
                                             const MarcOptions& options = {});
