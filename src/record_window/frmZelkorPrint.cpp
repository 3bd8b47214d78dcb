#include "platform/widgets/NumberForm.h"
#include "record_window/frmZelkor.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kRecordsPerPage = 7;
const QString kRule(80, u'-');

}  // namespace

void frmZelkor::cmdPrint_Click() {
  PrintDocument& printer = m_session.printer();
  ++m_printCounter;
  if (m_printCounter == 1) {
    printer.printLine(m_session.edition().productTitle() + u": Εκτύπωση Εγγραφών στις "_s + m_session.printedNow());
    printer.printLine(kRule);
  }

  // The fields print in the order 1, 2, 4, title in two halves, 5, 6.
  const QString title = m_record.field(2);
  printer.printLine(m_record.field(0));
  printer.printLine(m_record.field(1));
  printer.printLine(m_record.field(3));
  printer.printLine(title.left(50));
  printer.printLine(title.mid(50, 50));
  printer.printLine(m_record.field(4));
  printer.printLine(m_record.field(5) + u"          Αρ. Εγγρ. = "_s + signPos(m_currentRecord) + u" "_s);
  printer.printLine(kRule);

  if (m_printCounter == kRecordsPerPage) {
    printer.newPage();
    m_printCounter = 0;
  }
}

void frmZelkor::cmdEndPrint_Click() {
  m_session.platform().printer.endDoc();
  m_printCounter = 0;
  m_session.notice(u"Οι Εγγραφές Εκτυπώνονται"_s, Dialogs::Icon::Information);
}
