#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "import_command/ReadingsBeside.h"
#include "platform/CatalogueImporter.h"
#include "platform/Dialogs.h"
#include "transfer/import/Import.h"
#include "transfer/import/ImportPreview.h"

// The import's two steps, looking at a file and adding it; tests may give
// others to reach every answer the import can give.
struct ImportEngine {
  std::function<ImportPreview(const QString& input, const ImportOptions& options, const ImportProgress& progress)>
      preview;
  std::function<ImportResult(const QString& input, CatalogueFile& catalogue, const ImportOptions& options,
                             const ImportProgress& progress)>
      import;
  static ImportEngine real();
};

// Importing into the catalogue from the librarian's window, apart from the
// window: the platform's open dialog picks the file, opening where the last
// one was chosen; a table's columns are
// matched to the fields in a dialog that shows the rows as they will be
// stored, a MARC file or catalogue is confirmed by its count; rows that read
// as totals or notes are asked about; a progress box with Cancel stands
// while the file is read and while everything or nothing is added, both
// beside the window so that no reader's call freezes it; repeated book
// numbers are asked about first; a box names the codes added, or why none was.
class CatalogueImportCommand : public CatalogueImporter {
 public:
  explicit CatalogueImportCommand(ImportEngine engine = ImportEngine::real()) : m_engine(std::move(engine)) {}
  Added importCatalogue(CatalogueFile& catalogue, Dialogs& dialogs, const QString& productTitle) override;

  // The columns last chosen and their file, proposed again when the same file is chosen.
  struct Memory {
    QString input;
    std::optional<Dialogs::ColumnChoice> choice;
  };

 private:
  ImportEngine m_engine;
  ReadingsBeside m_readings;  // going, waits for the readings Cancel left
  Memory m_memory;
  QString m_lastFolder;  // of the file chosen last, while the program runs
};
