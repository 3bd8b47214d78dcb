#include <QMenu>

#include "RecordWindowFixture.h"

using namespace Qt::StringLiterals;

TEST_F(RecordWindowTest, LayoutFollowsTheTwipGridWithExactCaptionsAndTabOrder) {
  open();
  EXPECT_EQ(window->centralWidget()->size(), QSize(576, 406));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(window->windowIcon().isNull());
  EXPECT_EQ(line("txtEpo")->geometry(), QRect(16, 32, 433, 24));
  EXPECT_EQ(titleBox()->geometry(), QRect(16, 128, 433, 41));
  EXPECT_EQ(button("cmdFindNo")->geometry(), QRect(464, 368, 97, 25));
  EXPECT_EQ(button("cmdDelete")->text(), u"ΔΙAΓΡΑΦΗ"_s);
  EXPECT_EQ(button("cmdExit")->text(), u"Ε Ξ Ο Δ Ο Σ"_s);
  EXPECT_TRUE(button("cmdExit")->font().bold());
  EXPECT_DOUBLE_EQ(line("txtSp")->font().pointSizeF(), 9.75);
  for (const char* name : {"txtEpo", "txtOno", "txtAlloi", "txtEkdot", "txtSp"}) EXPECT_EQ(line(name)->maxLength(), 50);

  const QList<QPair<const char*, QString>> items = {
      {"mnuMulti", u"Πολλαπλές             Ctrl+A"_s},
      {"mnuprint", u"Προς Εκτύπωση     Enter"_s},
      {"mnuMenu", u"Μενού                    F10"_s},
      {"mnuEnd", u"Έξοδος                  Alt+X"_s},
      {"mnuNext", u"Επόμεν&η"_s},
      {"mnuAuthor", u"Ά&λλου Ονόματος"_s},
      {"mnuEkdot", u"Α&ριθμού - Θέματος"_s},
      {"mnuAbout1", u"Περί ..."_s},
  };
  for (const auto& [name, text] : items) EXPECT_EQ(item(name)->text(), text) << name;
  EXPECT_EQ(window->findChild<QMenu*>(u"mnuRecords"_s)->title(), u"&Εγγραφή"_s);

  const QStringList tabOrder = {
      u"txtEpo"_s,       u"txtOno"_s,       u"txtTitlos"_s, u"txtAlloi"_s,    u"txtEkdot"_s,     u"txtSp"_s,
      u"cmdNext"_s,      u"cmdPrevious"_s,  u"cmdNew"_s,    u"cmdDelete"_s,   u"cmdFindcode"_s,  u"cmdFindAuthor"_s,
      u"cmdFindTitle"_s, u"cmdFindAlloi"_s, u"cmdExit"_s,   u"cmdFindISBN"_s, u"cmdFindEkdot"_s, u"cmdCorrect"_s,
      u"cmdPrint"_s,     u"cmdEndPrint"_s,  u"cmdMulti"_s,  u"cmdFindNo"_s};
  QWidget* w = line("txtEpo");
  for (const QString& name : tabOrder) {
    EXPECT_EQ(w->objectName(), name);
    do w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy());
  }
}

TEST_F(RecordWindowTest, EndingSavesTheBoxesFirstFromButtonMenuAndKey) {
  for (int way = 0; way < 3; ++way) {
    SCOPED_TRACE(way);
    catalogue.setRecords({book(u"Α"_s), book(u"Β"_s)});
    host.calls.clear();
    open();
    window->cmdNext_Click();
    line("txtSp")->setText(u"Μαρία 3/1"_s);
    if (way == 0) click("cmdExit");
    if (way == 1) item("mnuEnd")->trigger();
    if (way == 2) press(Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(host.calls, QStringList({u"endProgram"_s}));
    EXPECT_FALSE(window->fileOpen());
    EXPECT_EQ(catalogue.bytes(),
              TempCatalogue::record({u"Α"_s}) + TempCatalogue::record(book(u"Β"_s, {}, u"Μαρία 3/1"_s)));
  }
}

TEST_F(RecordWindowTest, EndingOnAnEmptyFileCreatesRecordOneAndTheTitleBarSavesNothing) {
  open();
  click("cmdExit");
  EXPECT_EQ(catalogue.bytes(), QByteArray(350, ' '));

  catalogue.setRecords({book(u"Α"_s)});
  host.calls.clear();
  open();
  line("txtEpo")->setText(u"αλλαγή"_s);
  window->close();
  EXPECT_FALSE(window->fileOpen());
  EXPECT_TRUE(host.calls.isEmpty());
  EXPECT_EQ(catalogue.bytes(), TempCatalogue::record({u"Α"_s}));
}

TEST_F(RecordWindowTest, LoadingAgainStartsAtRecordOneWithTheCountReadAfresh) {
  catalogue.setRecords({book(u"Α"_s), book(u"Β"_s)});
  open();
  window->cmdNext_Click();
  platform.dialogs.type(QString());
  window->cmdFindTitle_Click();
  window->cmdMulti_Click();
  catalogue.setBytes(catalogue.bytes() + TempCatalogue::record({u"Γ"_s}) + QByteArray(176, ' '));
  window->unload();
  window->Form_Load();
  window->show();
  EXPECT_EQ(caption(), recordCaption(1, 4));
  EXPECT_EQ(line("txtEpo")->text(), u"Α"_s);
  EXPECT_EQ(focusName(), u"txtEpo"_s);
}

TEST_F(RecordWindowTest, HelpAndAboutReachTheApplication) {
  open();
  item("mnuhelp")->trigger();
  item("mnuAbout1")->trigger();
  QTest::mouseClick(window->findChild<QWidget*>(u"Picture1"_s), Qt::LeftButton);
  EXPECT_EQ(host.calls, QStringList({u"showKeyHelp"_s, u"showAbout"_s, u"showAbout"_s}));
  item("mnuhelp1")->trigger();
  ASSERT_EQ(platform.help.calls.size(), 1);
  EXPECT_EQ(platform.help.calls[0].file, u"ZELKOR.HLP"_s);
  EXPECT_EQ(platform.help.calls[0].command, 3);
}
