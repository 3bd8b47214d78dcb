#include <QMenuBar>

#include "main_window/CommandTable.h"
#include "record_window/frmZelkor.h"

using namespace Qt::StringLiterals;

namespace {

using C = Command<frmZelkor>;
using Part = Edition::Part;

constexpr int kButtonWidth = 1455;
constexpr int kButtonHeight = 375;

const MenuTitle kMenus[] = {
    {"mnuFile", u"&Αρχείο"_s},
    {"mnuRecords", u"&Εγγραφή"_s},
    {"mnuSearch", u"&Διερεύνηση"_s},
    {"mnuAbout", u"&Βοήθεια"_s},
};

// Every command of the record window, its menu items in menu order. The
// buttons go in tab order; the students' edition lacks the editing commands
// and the borrower search's key and button, and moves some buttons.
const CommandTable<frmZelkor> kCommands = [] {
  CommandTable<frmZelkor> table{
      C::menuItem("mnuFile", "mnuMulti", u"Πολλαπλές             Ctrl+A"_s, &frmZelkor::cmdMulti_Click)
          .withKeys(ctrl('A'))
          .withButton({"cmdMulti", u"ΠΟΛΛΑΠΛΕΣ"_s, 15, 6960, 4920, 6960, 5520}),
      C::separator("mnuFile", "mnuSep4"),
      C::menuItem("mnuFile", "mnuprint", u"Προς Εκτύπωση     Enter"_s, &frmZelkor::cmdPrint_Click)
          .withKeys(anyHeld(vk::Return), anyHeld(vk::Separator))
          .withButton({"cmdPrint", u"ΠΡΟΣ ΕΚΤΥΠΩΣΗ"_s, 13, 6960, 2400}),
      C::withoutMenu(&frmZelkor::cmdEndPrint_Click).withButton({"cmdEndPrint", u"ΕΚΤΥΠΩΣΗ"_s, 14, 6960, 2880}),
      C::separator("mnuFile", "mnusep7"),
      C::inert("mnuFile", "mnuMenu", u"Μενού                    F10"_s),
      C::menuItem("mnuFile", "mnuExport", u"Ε&ξαγωγή καταλόγου..."_s, &frmZelkor::mnuExport_Click)
          .studentsLacking(Part::All),
      C::menuItem("mnuFile", "mnuImport", u"Ε&ισαγωγή καταλόγου..."_s, &frmZelkor::mnuImport_Click)
          .studentsLacking(Part::All),
      C::menuItem("mnuFile", "mnuLabels", u"Ε&τικέτες..."_s, &frmZelkor::mnuLabels_Click).studentsLacking(Part::All),
      C::separator("mnuFile", "mnuSep1"),
      C::menuItem("mnuFile", "mnuEnd", u"Έξοδος                  Alt+X"_s, &frmZelkor::cmdExit_Click)
          .withKeys(alt('X'))
          .withButton({"cmdExit", u"Ε Ξ Ο Δ Ο Σ"_s, 9, 6960, 4320}),

      C::menuItem("mnuRecords", "mnuNext", u"Επόμεν&η"_s, &frmZelkor::cmdNext_Click, Qt::Key_F1)
          .withKeys(anyHeld(vk::PageDown), alt('H'))
          .withButton({"cmdNext", u"ΕΠΟΜΕΝ&Η"_s, 1, 3600, 5520, 6960, 1080}),
      C::menuItem("mnuRecords", "mnuPrevious", u"&Προηγούμενη"_s, &frmZelkor::cmdPrevious_Click, Qt::Key_F2)
          .withKeys(anyHeld(vk::PageUp), alt('P'))
          .withButton({"cmdPrevious", u"&ΠΡΟΗΓΟΎΜΕΝΗ"_s, 2, 1920, 5520, 6960, 600}),
      C::menuItem("mnuRecords", "mnuNew", u"&Νέα"_s, &frmZelkor::cmdNew_Click, Qt::Key_F12)
          .withKeys(alt('N'))
          .withButton({"cmdNew", u"&ΝΕΑ ΕΓΓΡΑΦΗ"_s, 3, 6960, 480})
          .studentsLacking(Part::All),
      C::separator("mnuRecords", "mnuSep2").studentsLacking(Part::All),
      C::menuItem("mnuRecords", "mnuSave", u"&Καταχώριση"_s, &frmZelkor::cmdCorrect_Click, Qt::Key_F3)
          .withKeys(alt('K'))
          .withButton({"cmdCorrect", u"&ΚΑΤΑΧΩΡΙΣΗ"_s, 12, 6960, 960})
          .studentsLacking(Part::All),
      C::withoutMenu(&frmZelkor::cmdDelete_Click)
          .withButton({"cmdDelete", u"ΔΙAΓΡΑΦΗ"_s, 4, 6960, 1680})
          .studentsLacking(Part::All),

      C::menuItem("mnuSearch", "mnuCodeNo", u"Κ&ωδικού"_s, &frmZelkor::cmdFindcode_Click, Qt::Key_F4)
          .withKeys(alt('V'))
          .withButton({"cmdFindcode", u"Κ&ΩΔΙΚΟΣ"_s, 5, 240, 4920}),
      C::menuItem("mnuSearch", "mnuISBN", u"&Συγγραφέα"_s, &frmZelkor::cmdFindISBN_Click, Qt::Key_F5)
          .withKeys(alt('S'))
          .withButton({"cmdFindISBN", u"&ΣΥΓΓΡΑΦΕΑΣ"_s, 10, 240, 5520, 1200, 5520}),
      C::menuItem("mnuSearch", "mnuAuthor", u"Ά&λλου Ονόματος"_s, &frmZelkor::cmdFindAuthor_Click, Qt::Key_F6)
          .withKeys(alt('L'))
          .withButton({"cmdFindAuthor", u"Α&ΛΛΟ ΟΝΟΜΑ"_s, 6, 1920, 4920}),
      C::menuItem("mnuSearch", "mnuTitle", u"&Τίτλου"_s, &frmZelkor::cmdFindTitle_Click, Qt::Key_F7)
          .withKeys(alt('T'))
          .withButton({"cmdFindTitle", u"&ΤΙΤΛΟΣ"_s, 7, 3600, 4920}),
      C::menuItem("mnuSearch", "mnuAlloi", u"Εκδ&οτικών"_s, &frmZelkor::cmdFindAlloi_Click, Qt::Key_F8)
          .withKeys(alt('O'))
          .withButton({"cmdFindAlloi", u"ΕΚΔ&ΟΤΙΚΑ"_s, 8, 5280, 4920}),
      C::menuItem("mnuSearch", "mnuEkdot", u"Α&ριθμού - Θέματος"_s, &frmZelkor::cmdFindEkdot_Click, Qt::Key_F9)
          .withKeys(alt('R'))
          .withButton({"cmdFindEkdot", u"Α&ΡΙΘΜΟΙ - ΘΕΜΑ"_s, 11, 5280, 5520, 4440, 5520}),
      C::menuItem("mnuSearch", "mnuNo", u"Δανει&ζόμενου"_s, &frmZelkor::cmdFindNo_Click, Qt::Key_F11)
          .withKeys(alt('Z'))
          .withButton({"cmdFindNo", u"ΔΑΝΕΙ&ΖΟΜΕΝΟΣ"_s, 16, 6960, 5520})
          .studentsLacking(Part::Key | Part::Button),
  };
  appendSharedMenus(table, "mnuAbout", "mnuhelp", "mnuhelp1", "mnusep6", "mnuAbout1");
  // After the forgiving switch, so that every item of the search menu keeps its place.
  table.push_back(C::separator("mnuSearch", "mnuSepLoans").studentsLacking(Part::All));
  table.push_back(C::menuItem("mnuSearch", "mnuOverdue", u"&Εκπρόθεσμα..."_s, &frmZelkor::mnuOverdue_Click)
                      .studentsLacking(Part::All));
  return table;
}();

}  // namespace

void frmZelkor::Form_KeyDown(const VirtualKey& key) { runKey(kCommands, m_session.edition(), this, key); }

void frmZelkor::buildMenus() { buildMenuBar(menuBar(), kMenus, kCommands, m_session.edition(), this); }

QList<QPushButton*> frmZelkor::buildCommandButtons(QWidget* client) {
  return ::buildButtons(client, kCommands, m_session.edition(), this, kButtonWidth, kButtonHeight);
}
