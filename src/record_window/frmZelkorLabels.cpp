#include "record_window/frmZelkor.h"

// Labels are printed from what the file holds; typing not yet saved stays in
// the boxes. The program that offers the command supplies the label printer.
void frmZelkor::mnuLabels_Click() {
  if (LabelPrinter* labels = m_session.platform().labels)
    labels->printLabels(m_session.file().path(), m_session.platform(), m_session.edition().productTitle(), this);
}
