#pragma once

#include <QString>
#include <memory>

#include "transfer/import/ImportSource.h"
#include "transfer/marc/MarcRecordReader.h"

// The records of a MARC21, UNIMARC (ISO 2709) or MARCXML file, of the kind
// the input was found to be.
std::unique_ptr<ImportSource> makeMarcSource(const QString& path, MarcEncoding encoding, const ImportOptions& options);
