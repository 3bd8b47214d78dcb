#pragma once

#include <QString>
#include <memory>

#include "transfer/import/ImportSource.h"

// The live records of another catalogue file.
std::unique_ptr<ImportSource> makeCatalogueSource(const QString& path);
