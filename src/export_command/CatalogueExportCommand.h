#pragma once

#include <QString>

#include "editions/Edition.h"
#include "platform/Dialogs.h"

// Exporting the catalogue from the librarian's window, apart from the
// window: the platform's save dialog picks the file and the format, a
// progress box with Cancel stands while the file is written, and a box says
// where it went (or why it did not).
class CatalogueExportCommand {
 public:
  CatalogueExportCommand(Dialogs& dialogs, const Edition& edition) : m_dialogs(dialogs), m_edition(edition) {}

  // Exports the catalogue file at `cataloguePath`; true when a file was written.
  bool run(const QString& cataloguePath);

 private:
  void tell(const QString& text, Dialogs::Icon icon);

  Dialogs& m_dialogs;
  const Edition& m_edition;
};
