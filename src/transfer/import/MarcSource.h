#pragma once

#include <QString>
#include <memory>

#include "transfer/import/ImportSource.h"
#include "transfer/marc/MarcRecordReader.h"

// The records of a MARC21 or UNIMARC file `in` (named `path` in messages),
// open and seekable, in the encoding the input was found to have.
std::unique_ptr<ImportSource> makeMarcSource(std::unique_ptr<QIODevice> in, const QString& path, MarcEncoding encoding,
                                             const ImportOptions& options);
