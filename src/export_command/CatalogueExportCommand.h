#pragma once

#include <QString>

#include "platform/CatalogueExporter.h"
#include "platform/Dialogs.h"

// Exporting the catalogue from the librarian's window, apart from the
// window: the platform's save dialog picks the file, the format and whether
// the borrowers go too (not unless asked), a
// progress box with Cancel stands while the file is written, and a box says
// where it went (or why it did not).
class CatalogueExportCommand : public CatalogueExporter {
 public:
  bool exportCatalogue(const QString& cataloguePath, Dialogs& dialogs, const QString& productTitle) override;
};
