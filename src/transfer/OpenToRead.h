#pragma once

#include <QString>

#include "catalogue/file/CatalogueFile.h"

// Opens the catalogue at `path` for reading, where a missing file is a
// mistaken name rather than an empty catalogue. Empty on success, else the
// Greek sentence naming the file and the reason.
QString openToRead(CatalogueFile& file, const QString& path);
