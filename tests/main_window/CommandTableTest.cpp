#include <gtest/gtest.h>

#include <QMainWindow>
#include <QTest>

#include "main_window/CommandTable.h"
#include "support/FakeHost.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

// A window with the commands later features add: a checkable switch and a
// librarian-only item with a key and a button.
class TableWindow : public QMainWindow {
 public:
  TableWindow(Platform platform, const Edition& edition, WindowHost& host)
      : m_session(*this, platform, edition, host, 0) {}
  CatalogueSession& session() { return m_session; }
  void toggle() { ++toggles; }
  void exportAll() { ++exports; }
  int toggles = 0;
  int exports = 0;

 private:
  CatalogueSession m_session;
};

using C = Command<TableWindow>;
const MenuTitle kMenus[] = {{"mnuFile", u"&Αρχείο"_s}, {"mnuHelp", u"&Βοήθεια"_s}};
const CommandTable<TableWindow> kTable = [] {
  CommandTable<TableWindow> table{
      C::menuItem("mnuFile", "mnuSwitch", u"Διακόπτης"_s, &TableWindow::toggle).asCheckable(),
      C::separator("mnuFile", "mnuSep").studentsLacking(Edition::Part::All),
      C::menuItem("mnuFile", "mnuExport", u"Εξαγωγή"_s, &TableWindow::exportAll, Qt::Key_F12)
          .withKeys(alt('E'))
          .withButton({"cmdExport", u"ΕΞΑΓΩΓΗ"_s, 1, 150, 300})
          .studentsLacking(Edition::Part::All),
  };
  appendHelpMenu(table, "mnuHelp", "mnuKeys", "mnuHelpFile", "mnuSep2", "mnuAbout");
  return table;
}();

class CommandTableTest : public ::testing::TestWithParam<bool> {
 protected:
  Edition edition() const { return GetParam() ? Edition::students() : Edition::librarian(); }
  QAction* item(const char* name) const { return window.findChild<QAction*>(QLatin1String(name)); }

  TestPlatform tp;
  FakeHost host;
  TableWindow window{tp.platform(), edition(), host};
};

}  // namespace

TEST_P(CommandTableTest, MenusButtonsAndKeysComeFromTheTableAndLackWhatTheStudentsLack) {
  const bool students = GetParam();
  buildMenuBar(window.menuBar(), kMenus, kTable, edition(), &window);
  const QList<QPushButton*> buttons = buildButtons(&window, kTable, edition(), &window, 1500, 375);

  QAction* toggle = item("mnuSwitch");
  ASSERT_NE(toggle, nullptr);
  EXPECT_TRUE(toggle->isCheckable());
  toggle->trigger();
  EXPECT_TRUE(toggle->isChecked());
  EXPECT_EQ(window.toggles, 1);

  EXPECT_EQ(item("mnuExport")->isVisible(), !students);
  EXPECT_EQ(item("mnuSep")->isVisible(), !students);
  EXPECT_EQ(item("mnuExport")->shortcut(), QKeySequence(Qt::Key_F12));
  ASSERT_EQ(buttons.size(), 1);
  EXPECT_EQ(buttons[0]->objectName(), u"cmdExport"_s);
  EXPECT_EQ(buttons[0]->geometry(), QRect(10, 20, 100, 25));
  EXPECT_EQ(buttons[0]->isHidden(), students);

  runKey(kTable, edition(), &window, VirtualKey{'E', vk::AltMask});
  runKey(kTable, edition(), &window, VirtualKey{'E', vk::CtrlMask});
  EXPECT_EQ(window.exports, students ? 0 : 1);
  if (!students) {
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    item("mnuExport")->trigger();
    EXPECT_EQ(window.exports, 3);
  }

  item("mnuKeys")->trigger();
  item("mnuAbout")->trigger();
  item("mnuHelpFile")->trigger();
  EXPECT_EQ(host.calls, (QStringList{u"showKeyHelp"_s, u"showAbout"_s}));
  ASSERT_EQ(tp.help.calls.size(), 1);
  EXPECT_EQ(tp.help.calls[0].file, u"ZELKOR.HLP"_s);
  EXPECT_EQ(item("mnuHelpFile")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
}

INSTANTIATE_TEST_SUITE_P(BothEditions, CommandTableTest, ::testing::Bool());
