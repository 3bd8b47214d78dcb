#pragma once

#include <QString>

class Dialogs;

// Writes the catalogue out to a file the user picks, asking and telling
// through the boxes it is given. The librarian's program supplies one, the
// students' program none, so that only the first carries the formats'
// libraries.
class CatalogueExporter {
 public:
  virtual ~CatalogueExporter() = default;
  // Exports the catalogue file at `cataloguePath`, its boxes titled with
  // `productTitle`; true when a file was written.
  virtual bool exportCatalogue(const QString& cataloguePath, Dialogs& dialogs, const QString& productTitle) = 0;
};
