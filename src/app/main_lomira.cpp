#include "app/run.h"
#include "export_command/CatalogueExportCommand.h"
#include "import_command/CatalogueImportCommand.h"
#include "labels_window/LabelsCommand.h"

int main(int argc, char** argv) {
  CatalogueExportCommand exporter;
  CatalogueImportCommand importer;
  LabelsCommand labels;
  return runProgram(argc, argv, Edition::librarian(), &exporter, &importer, &labels);
}
