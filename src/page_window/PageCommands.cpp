#include <QMenuBar>

#include "main_window/CommandTable.h"
#include "page_window/frmMulti.h"

using namespace Qt::StringLiterals;

namespace {

using C = Command<frmMulti>;

const MenuTitle kMenus[] = {
    {"mnuMulti", u"&Αρχείο"_s},
    {"mnuSearch", u"&Διερεύνηση"_s},
    {"mnuhelp", u"&Βοήθεια"_s},
};

// Every command of the page window in menu order; both editions have them all.
const CommandTable<frmMulti> kCommands = [] {
  CommandTable<frmMulti> table{
      C::menuItem("mnuMulti", "mnuTelos", u"Ανά Εγγραφή"_s, &frmMulti::mnuTelos_Click,
                  QKeySequence(Qt::CTRL | Qt::Key_A)),
      C::separator("mnuMulti", "Sep3"),
      C::menuItem("mnuMulti", "mnuPrint", u"Εκτύπωση"_s, &frmMulti::mnuPrint_Click,
                  QKeySequence(Qt::CTRL | Qt::Key_F2)),
      C::separator("mnuMulti", "mnuSep4"),
      C::inert("mnuMulti", "mnuMenu", u"Μενού     F10"_s),
      C::separator("mnuMulti", "mnuSep"),
      C::menuItem("mnuMulti", "mnuExit", u"Έξοδος   Alt+X"_s, &frmMulti::mnuExit_Click).withKeys(alt('X')),

      C::menuItem("mnuSearch", "mnuEpo", u"&Συγγραφέα"_s, &frmMulti::mnuEpo_Click, Qt::Key_F5).withKeys(alt('S')),
      C::menuItem("mnuSearch", "mnuOno", u"Ά&λλου Ονόματος"_s, &frmMulti::mnuOno_Click, Qt::Key_F6).withKeys(alt('L')),
      C::menuItem("mnuSearch", "mnuTitlos", u"&Τίτλου"_s, &frmMulti::mnuTitlos_Click, Qt::Key_F7).withKeys(alt('T')),
      C::menuItem("mnuSearch", "mnuAlloi", u"Εκδ&οτικών"_s, &frmMulti::mnuAlloi_Click, Qt::Key_F8).withKeys(alt('Y')),
      C::menuItem("mnuSearch", "mnuEkdot", u"Α&ριθμού ή Θέματος"_s, &frmMulti::mnuEkdot_Click, Qt::Key_F9)
          .withKeys(alt('O')),
      C::menuItem("mnuSearch", "mnuNo", u"Δανει&ζόμενου"_s, &frmMulti::mnuNo_Click, Qt::Key_F11).withKeys(alt('R')),
      C::menuItem("mnuSearch", "mnuAuthorTitle", u"Συγγραφέα-Τίτλου"_s, &frmMulti::mnuAuthorTitle_Click,
                  QKeySequence(Qt::CTRL | Qt::Key_F5)),
  };
  appendSharedMenus(table, "mnuhelp", "mnuHelp1", "mnuhelp2", "mnuSep5", "mnuAbout");
  return table;
}();

}  // namespace

void frmMulti::Form_KeyDown(const VirtualKey& key) { runKey(kCommands, m_session.edition(), this, key); }

void frmMulti::buildMenus() { buildMenuBar(menuBar(), kMenus, kCommands, m_session.edition(), this); }
