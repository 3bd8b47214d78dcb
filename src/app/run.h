#pragma once

#include "editions/Edition.h"
#include "platform/CatalogueExporter.h"
#include "platform/CatalogueImporter.h"
#include "platform/LabelPrinter.h"
#include "platform/LoansLister.h"

// The whole life of one program: the real platform with the program's
// exporter, importer, loans list and label printer (if it has them), the
// application object, the event loop.
int runProgram(int argc, char** argv, const Edition& edition, CatalogueExporter* exporter = nullptr,
               CatalogueImporter* importer = nullptr, LoansLister* loans = nullptr, LabelPrinter* labels = nullptr);
