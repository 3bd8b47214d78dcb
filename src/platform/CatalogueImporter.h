#pragma once

#include <QString>

class CatalogueFile;
class Dialogs;

// Adds the books of a file the user picks (a table, a MARC file or another
// catalogue) to the end of the open catalogue, asking and telling through the
// boxes it is given. The librarian's program supplies one, the students'
// program none, so that only the first carries the formats' libraries.
class CatalogueImporter {
 public:
  // The records added: codes first to first + count - 1; count 0 when none.
  struct Added {
    qint32 first = 0;
    qint32 count = 0;
  };
  virtual ~CatalogueImporter() = default;
  // Imports into `catalogue`, open for editing under the window's lock, its
  // boxes titled with `productTitle`.
  virtual Added importCatalogue(CatalogueFile& catalogue, Dialogs& dialogs, const QString& productTitle) = 0;
};
