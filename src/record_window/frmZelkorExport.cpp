#include "record_window/frmZelkor.h"

// What the file holds goes out, as every other command but saving reads it:
// typing not yet saved stays in the boxes. The program that offers the
// command supplies the exporter.
void frmZelkor::mnuExport_Click() {
  if (CatalogueExporter* exporter = m_session.platform().exporter)
    exporter->exportCatalogue(m_session.file().path(), m_session.dialogs(), m_session.edition().productTitle());
}
