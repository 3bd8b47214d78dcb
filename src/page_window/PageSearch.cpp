#include "page_window/PageSearch.h"

#include "page_window/frmMulti.h"
#include "platform/widgets/TextSurface.h"

using namespace Qt::StringLiterals;

namespace {

const PageSearch kEpo{{0},
                      u"Βρες Συγγραφέα ή Επιμελητή:"_s,
                      u"Αναζήτηση Συγγραφέα/Επιμελητή"_s,
                      u"Διερεύνηση Συγγραφέα/Επιμελητή:"_s,
                      u"Ο Συγγραφέας/Επιμελητής "_s};

const PageSearch kOno{{1},
                      u"Βρες Μεταφραστή ή Διασκευαστή ή Εικονογράφο ή Συντάκτη Προλόγου/Εισαγωγής:"_s,
                      u"Αναζήτηση Άλλου Ονόματος"_s,
                      u"Διερεύνηση Άλλου Ονόματος:"_s,
                      u"Το Όνομα "_s};

const PageSearch kTitlos{{2}, u"Βρες Κείμενο:"_s, u"Αναζήτηση Τίτλου"_s, u"Διερεύνηση Τίτλου:"_s, u"Το Κείμενο "_s};

const PageSearch kAlloi{{3},
                        u"Βρες Εκδοτικό Στοιχείο:"_s,
                        u"Αναζήτηση Εκδοτικού Στοιχείου:"_s,
                        u"Διερεύνηση Εκδοτικού Στοιχείου:"_s,
                        u"Το Εκδοτικό Στοιχείο "_s,
                        true};

const PageSearch kEkdot{{4},
                        u"Βρες Βιβλιάριθμο ή Θέμα:"_s,
                        u"Αναζήτηση Βιβλιάριθμου ή Θέματος:"_s,
                        u"Διερεύνηση Βιβλιάριθμου ή Θέματος:"_s,
                        u" Ο Αριθμός ή το Θέμα "_s};

const PageSearch kNo{
    {5}, u"Βρες Δανειζόμενο:"_s, u"Αναζήτηση Δανειζόμενου"_s, u"Διερεύνηση Δανειζόμενου:"_s, u"Ο Δανειζόμενος "_s};

const PageSearch kAuthorTitle{{0, 1, 2, 3},
                              u"Βρες Κείμενο σε Συγγραφέα/Άλλο Όνομα/Τίτλο:"_s,
                              u"Αναζήτηση Κειμένου"_s,
                              u"Διερεύνηση Συγγραφέα/Επιμελητή/Τίτλου:"_s,
                              u"Το Κείμενο "_s};

}  // namespace

void frmMulti::mnuEpo_Click() { runSearch(kEpo); }
void frmMulti::mnuOno_Click() { runSearch(kOno); }
void frmMulti::mnuTitlos_Click() { runSearch(kTitlos); }
void frmMulti::mnuAlloi_Click() { runSearch(kAlloi); }
void frmMulti::mnuEkdot_Click() { runSearch(kEkdot); }
void frmMulti::mnuNo_Click() { runSearch(kNo); }
void frmMulti::mnuAuthorTitle_Click() { runSearch(kAuthorTitle); }

// Reads the whole catalogue once, drawing every match, eight to a page. The
// pass past the last record reads nothing; it only shows the count reached
// and closes the run.
void frmMulti::runSearch(const PageSearch& search) {
  const CaptionFlushOnReturn flushOnReturn(m_session.caption());
  ClearArrays();
  m_surface->clear();
  if (search.emptiesHeading) m_printHeading.clear();
  m_pageNumber = 0;
  int pageCount = 0;

  const QString text =
      m_session.dialogs().input(search.prompt, m_session.edition().productTitle() + u": "_s + search.titleTail);
  if (text.isEmpty()) return;

  const auto matcher = m_session.matcherFor(text, search.fields);
  ScanCursor cursor(m_session.file(), m_recordCount, *matcher);
  bool found = false;
  for (;;) {
    const ScanCursor::Stop stop = m_session.nextMatch(cursor);
    if (stop == ScanCursor::Stop::Failed) return;
    if (stop == ScanCursor::Stop::End) break;

    found = true;
    ++pageCount;
    m_currentRecord = cursor.match();
    if (!ShowCR()) return;
    if (pageCount == kRows) {
      if (!askPageFull(search)) return;
      pageCount = 0;
    } else if (cursor.matchIsLast()) {
      break;
    }
  }

  if (found) {
    askLastRecords(search);
  } else {
    m_session.notice(search.notFound + text + u" δεν Βρέθηκε"_s, Dialogs::Icon::Information);
    showCA();
  }
}

// False when the user cancels the run.
bool frmMulti::askPageFull(const PageSearch& search) {
  switch (m_session.dialogs().message(u"Θέλετε να Εκτυπώσω τις Εγγραφές "_s, m_session.edition().productTitle(),
                                      Dialogs::Buttons::YesNoCancel, Dialogs::Icon::Question, Dialogs::Answer::Yes)) {
    case Dialogs::Answer::Yes:
      m_printHeading = search.heading;
      printPage();
      return true;
    case Dialogs::Answer::No:
      ClearArrays();
      m_surface->clear();
      return true;
    default:
      return false;
  }
}

void frmMulti::askLastRecords(const PageSearch& search) {
  if (m_session.dialogs().message(u"Να Εκτυπώσω τις Τελευταίες Εγγραφές "_s, m_session.edition().productTitle(),
                                  Dialogs::Buttons::YesNoCancel, Dialogs::Icon::Question,
                                  Dialogs::Answer::Yes) == Dialogs::Answer::Yes) {
    m_printHeading = search.heading;
    printPage();
  }
  showCA();
}
