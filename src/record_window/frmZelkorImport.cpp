#include "record_window/frmZelkor.h"

// The books of a file go to the end of the catalogue this window holds open,
// and the caption counts them. Typing not yet saved stays in the boxes, unless
// the record on screen was past the file's end (an empty catalogue shows a
// record 1 not yet stored): the import filled it, so the boxes show what it
// now holds, and saving or leaving never writes blanks over it. The program
// that offers the command supplies the importer.
void frmZelkor::mnuImport_Click() {
  CatalogueImporter* importer = m_session.platform().importer;
  if (!importer) return;
  const CatalogueImporter::Added added =
      importer->importCatalogue(m_session.file(), m_session.dialogs(), m_session.edition().productTitle());
  if (added.count == 0) return;
  m_recordCount = m_session.file().recordCount();
  if (m_currentRecord >= added.first)
    ShowCR();
  else
    showRecordCaption();
}
