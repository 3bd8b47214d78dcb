#include "export_command/CatalogueExportCommand.h"
#include "record_window/frmZelkor.h"

// What the file holds goes out, as every other command but saving reads it:
// typing not yet saved stays in the boxes.
void frmZelkor::mnuExport_Click() {
  CatalogueExportCommand(m_session.dialogs(), m_session.edition()).run(m_session.file().path());
}
