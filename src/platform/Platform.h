#pragma once

#include "catalogue/file/FileIo.h"
#include "platform/CatalogueExporter.h"
#include "platform/CatalogueImporter.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/HelpEngine.h"
#include "platform/LabelPrinter.h"
#include "platform/Launcher.h"
#include "platform/LoansLister.h"
#include "platform/PrintDocument.h"
#include "platform/Registry.h"
#include "platform/Settings.h"

// Everything the windows need from the outside world, in one bundle. The real
// bundle talks to Qt and the operating system; the tests' answers from a script.
struct Platform {
  Dialogs& dialogs;
  PrintDocument& printer;
  Clock& clock;
  HelpEngine& help;
  Registry& registry;
  Launcher& launcher;
  FileIoFactory& files;
  Settings& settings;
  CatalogueExporter* exporter = nullptr;  // none in the students' program
  CatalogueImporter* importer = nullptr;  // none in the students' program
  LoansLister* loans = nullptr;           // none in the students' program
  LabelPrinter* labels = nullptr;         // none in the students' program
};
