#include <QLocale>
#include <cmath>
#include <limits>

#include "platform/widgets/NumberForm.h"
#include "record_window/frmZelkor.h"

using namespace Qt::StringLiterals;

// What sets the six text searches apart; they share one procedure.
struct TextSearch {
  int field;  // 0-based, also the box that takes the focus
  QString prompt;
  QString titleTail;  // after the product title
  QString notFoundPrefix;
  QString notFoundSuffix;
};

namespace {

const TextSearch kAuthor{0, u"Βρες Συγγραφέα ή Επιμελητή:"_s, u": Αναζήτηση Συγγραφέα/Επιμελητή"_s,
                         u"Ο Συγγραφέας/Επιμελητής "_s, u" δεν Βρέθηκε"_s};
// The suffix has a Latin B, as users have always seen it.
const TextSearch kOtherName{1, u"Βρες Μεταφραστή ή Διασκευαστή ή Εικονογράφο ή Συντάκτη Προλόγου/Εισαγωγής:"_s,
                            u": Αναζήτηση Άλλου Ονόματος"_s, u"Το Όνομα "_s, u" δεν Bρέθηκε"_s};
const TextSearch kTitle{2, u"Βρες Κείμενο σε Τίτλο:"_s, u": Αναζήτηση Τίτλου"_s, u"Το Κείμενο "_s, u" δεν Βρέθηκε"_s};
const TextSearch kPublication{3, u"Βρες Εκδοτικό Στοιχείο:"_s, u": Αναζήτηση Εκδοτικού Στοιχείου:"_s,
                              u"Το Εκδοτικό Στοιχείο "_s, u" δεν Βρέθηκε"_s};
const TextSearch kNumberSubject{4, u"Βρες Βιβλιάριθμο ή Θέμα:"_s, u": Αναζήτηση Αριθμού ή Θέματος"_s,
                                u"Ο Βιβλιάριθμος ή το Θέμα "_s, u" δεν Βρέθηκε"_s};
const TextSearch kBorrower{5, u"Βρες Δανειζόμενο:"_s, u": Αναζήτηση Δανειζόμενου"_s, u"Ο Δανειζόμενος "_s,
                           u" δεν Βρέθηκε"_s};

const QString kNoFurtherMatch = u"Δεν Υπάρχει Άλλη Όμοια Εγγραφή"_s;

// A typed code as a whole number: rounded half to even, or nothing when it
// lies outside the 32-bit range.
bool toRecordNumber(double value, qint32& number) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= double(std::numeric_limits<qint32>::min()) && rounded <= double(std::numeric_limits<qint32>::max())))
    return false;
  number = qint32(rounded);
  return true;
}

}  // namespace

QString frmZelkor::searchTitle(const QString& tail) const { return m_session.edition().productTitle() + tail; }

void frmZelkor::cmdFindISBN_Click() { runTextSearch(kAuthor); }
void frmZelkor::cmdFindAuthor_Click() { runTextSearch(kOtherName); }
void frmZelkor::cmdFindTitle_Click() { runTextSearch(kTitle); }
void frmZelkor::cmdFindAlloi_Click() { runTextSearch(kPublication); }
void frmZelkor::cmdFindEkdot_Click() { runTextSearch(kNumberSubject); }
void frmZelkor::cmdFindNo_Click() { runTextSearch(kBorrower); }

void frmZelkor::runTextSearch(const TextSearch& search) {
  const CaptionFlushOnReturn flushOnReturn(m_session.caption());
  const QString text = m_session.dialogs().input(search.prompt, searchTitle(search.titleTail));
  if (text.isEmpty()) {
    focusBox(search.field);
    return;
  }

  const auto matcher = m_session.matcherFor(text, {search.field});
  ScanCursor cursor(m_session.file(), m_recordCount, *matcher);
  bool found = false;
  for (;;) {
    const ScanCursor::Stop stop = m_session.nextMatch(cursor);
    if (stop == ScanCursor::Stop::Failed) return;
    if (stop == ScanCursor::Stop::End) {
      if (found)
        m_session.notice(kNoFurtherMatch, Dialogs::Icon::Exclamation);
      else
        m_session.notice(search.notFoundPrefix + text + search.notFoundSuffix, Dialogs::Icon::Information);
      ShowCR();
      return;
    }

    found = true;
    m_currentRecord = cursor.match();
    if (!ShowCR()) return;
    const Dialogs::Answer answer = m_session.dialogs().message(
        u"Θέλετε να Εκτυπώσω την Εγγραφή "_s + signPos(m_currentRecord) + u" ;"_s, m_session.edition().productTitle(),
        Dialogs::Buttons::YesNoCancel, Dialogs::Icon::Question, Dialogs::Answer::Yes);
    if (answer == Dialogs::Answer::Cancel) {
      focusBox(search.field);
      return;
    }
    if (answer == Dialogs::Answer::Yes) cmdPrint_Click();
    if (cursor.matchIsLast()) {
      m_session.notice(kNoFurtherMatch, Dialogs::Icon::Exclamation);
      ShowCR();
      return;
    }
  }
}

void frmZelkor::cmdFindcode_Click() {
  const CaptionFlushOnReturn flushOnReturn(m_session.caption());
  for (;;) {
    const QString answer =
        m_session.dialogs().input(u"Βρες Κωδικό Εγγραφής:"_s, searchTitle(u": Αναζήτηση Κωδικού Εγγραφής"_s));
    if (answer.isEmpty()) {
      focusBox(0);
      return;
    }

    bool converted = false;
    const double value = QLocale().toDouble(answer.trimmed(), &converted);
    // A number too large even for a double converts to infinity and fails;
    // it lies beyond the code range like any other large number.
    const bool isNumber = (converted && !std::isnan(value)) || std::isinf(value);
    qint32 number = 0;
    if (isNumber && !toRecordNumber(value, number)) return;
    if (!isNumber || number < 1) {
      m_session.notice(u"Γράψτε έναν αριθμό από 1 έως "_s + signPos(m_recordCount), Dialogs::Icon::Information);
      continue;
    }

    // The typed value, before rounding, decides whether the code exists.
    if (value <= double(m_recordCount)) {
      m_currentRecord = number;
      if (!ShowCR()) return;
      focusBox(0);
    } else {
      m_session.notice(u"Ο Κωδικός Εγγραφής "_s + answer + u" δεν Βρέθηκε"_s, Dialogs::Icon::Information);
      ShowCR();
    }
    return;
  }
}
