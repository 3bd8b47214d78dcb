#pragma once

#include "catalogue/file/CatalogueFile.h"
#include "editions/Edition.h"
#include "platform/Dialogs.h"

// Tells the user, in a box titled with the product title, which file failed,
// what was being done and the system's reason, and that the program ends.
// The caller then ends the program.
void reportCatalogueError(const Edition& edition, Dialogs& dialogs, const CatalogueError& error);
