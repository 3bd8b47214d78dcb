#include "page_window/frmMulti.h"
#include "platform/widgets/NumberForm.h"
#include "platform/widgets/TextSurface.h"

using namespace Qt::StringLiterals;

// One page of 56 lines: header, eight blocks whatever the page holds, footer.
// It continues whatever the print document already holds and ends nothing.
void frmMulti::PrintRecords() {
  PrintDocument& printer = m_session.printer();
  ++m_pageNumber;
  printer.printLine();
  printer.printLine(m_session.edition().productTitle() + u": Εκτυπώθηκε στις "_s + m_session.printedNow());
  printer.printLine();
  for (const auto& row : m_page) {
    printer.printLine(rule());
    printer.printLine();
    for (const QString& line : row) printer.printLine(line);
    printer.printLine(rule());
  }
  for (int i = 0; i < 4; ++i) printer.printLine();
  printer.printLine(m_printHeading + u" Σελίδα "_s + signPos(m_pageNumber));
  ClearArrays();
}

// Each page goes out as a print job of its own and leaves the window blank.
void frmMulti::printPage() {
  PrintRecords();
  ClearArrays();
  m_session.platform().printer.endDoc();
  m_surface->clear();
}

void frmMulti::mnuPrint_Click() { printPage(); }
