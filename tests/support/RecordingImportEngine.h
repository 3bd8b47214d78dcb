#pragma once

#include <QList>

#include "import_command/CatalogueImportCommand.h"

// The real import, each import's options kept for the test to see.
struct RecordingImportEngine {
  QList<ImportOptions> imports;

  ImportEngine engine() {
    ImportEngine real = ImportEngine::real();
    return {real.preview, [this, import = real.import](const QString& input, CatalogueFile& file,
                                                       const ImportOptions& options, const ImportProgress& progress) {
              imports.append(options);
              return import(input, file, options, progress);
            }};
  }
};
