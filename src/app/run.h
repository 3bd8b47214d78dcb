#pragma once

#include "editions/Edition.h"
#include "platform/CatalogueExporter.h"

// The whole life of one program: the real platform with the program's
// exporter (if it has one), the application object, the event loop.
int runProgram(int argc, char** argv, const Edition& edition, CatalogueExporter* exporter = nullptr);
