#pragma once

#include <QString>
#include <memory>

#include "transfer/import/ImportSource.h"

// The records of a MARC21, UNIMARC (ISO 2709) or MARCXML file.
bool looksLikeMarc(const QString& path);
std::unique_ptr<ImportSource> makeMarcSource(const QString& path, const ImportOptions& options);
