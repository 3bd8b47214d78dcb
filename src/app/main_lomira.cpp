#include "app/run.h"
#include "export_command/CatalogueExportCommand.h"
#include "import_command/CatalogueImportCommand.h"

int main(int argc, char** argv) {
  CatalogueExportCommand exporter;
  CatalogueImportCommand importer;
  return runProgram(argc, argv, Edition::librarian(), &exporter, &importer);
}
