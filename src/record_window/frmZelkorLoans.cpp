#include "record_window/frmZelkor.h"

// What the file holds is listed, as every command but saving reads it. A
// code chosen in the list is shown as the code search shows it.
void frmZelkor::mnuOverdue_Click() {
  LoansLister* loans = m_session.platform().loans;
  if (!loans) return;
  const qint32 code =
      loans->showLoans(m_session.file().path(), m_session.platform(), m_session.edition().productTitle());
  if (code < 1 || code > m_recordCount) return;
  m_currentRecord = code;
  if (!ShowCR()) return;
  focusBox(0);
}
