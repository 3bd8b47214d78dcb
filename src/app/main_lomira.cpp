#include "app/run.h"
#include "export_command/CatalogueExportCommand.h"

int main(int argc, char** argv) {
  CatalogueExportCommand exporter;
  return runProgram(argc, argv, Edition::librarian(), &exporter);
}
