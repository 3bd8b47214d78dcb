#include "app/run.h"
#include "export_command/CatalogueExportCommand.h"
#include "import_command/CatalogueImportCommand.h"
#include "labels_window/LabelsCommand.h"
#include "loans_window/LoansListCommand.h"

int main(int argc, char** argv) {
  CatalogueExportCommand exporter;
  CatalogueImportCommand importer;
  LoansListCommand loans;
  LabelsCommand labels;
  return runProgram(argc, argv, Edition::librarian(), &exporter, &importer, &loans, &labels);
}
