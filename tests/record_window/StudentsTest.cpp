#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

#include "RecordWindowFixture.h"

using namespace Qt::StringLiterals;
using Answer = Dialogs::Answer;

TEST_F(RecordWindowTest, StudentsWindowHidesEditingAndMovesTheBrowsingButtons) {
  catalogue.setRecords({book(u"Α"_s), book(u"Β"_s)});
  open(Edition::students());
  EXPECT_EQ(caption(), u"Μ-Zelkor 3.2: Μαθητές - Διερεύνηση           Εγγραφή:  1  από  2"_s);
  for (const char* name : {"cmdNew", "cmdCorrect", "cmdDelete", "cmdFindNo"})
    EXPECT_TRUE(button(name)->isHidden()) << name;
  // The buttons left fill the room: none covers another or leaves the window,
  // Previous stands above Next at the right, and the last row reads left to right.
  QList<QRect> shown;
  for (const QPushButton* b : window->findChildren<QPushButton*>()) {
    if (b->isHidden()) continue;
    const QRect place(b->mapTo(window.get(), QPoint(0, 0)), b->size());
    EXPECT_TRUE(window->rect().contains(place)) << b->objectName().toStdString();
    for (const QRect& other : shown) EXPECT_FALSE(place.intersects(other)) << b->objectName().toStdString();
    shown.append(place);
  }
  EXPECT_EQ(button("cmdPrevious")->x(), button("cmdNext")->x());
  EXPECT_LT(button("cmdPrevious")->y(), button("cmdNext")->y());
  EXPECT_EQ(button("cmdPrevious")->x(), button("cmdMulti")->x());
  for (const char* name : {"cmdFindISBN", "cmdFindEkdot"}) EXPECT_EQ(button(name)->y(), button("cmdMulti")->y());
  EXPECT_LT(button("cmdFindISBN")->x(), button("cmdFindEkdot")->x());
  EXPECT_LT(button("cmdFindEkdot")->x(), button("cmdMulti")->x());
  for (const char* name : {"mnuNew", "mnuSave", "mnuSep2"}) EXPECT_FALSE(item(name)->isVisible()) << name;
  EXPECT_TRUE(item("mnuNo")->isVisible());
}

TEST_F(RecordWindowTest, StudentsBoxesTakeFocusAndCopyButRefuseTyping) {
  catalogue.setRecords({book(u"Καβάφης"_s, u"Ποιήματα"_s)});
  open(Edition::students());
  EXPECT_EQ(focusName(), u"txtEpo"_s);
  typeInto(line("txtEpo"), u"Χ"_s);
  EXPECT_EQ(line("txtEpo")->text(), u"Καβάφης"_s);
  line("txtEpo")->selectAll();
  line("txtEpo")->copy();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Καβάφης"_s);

  titleBox()->setFocus();
  EXPECT_EQ(focusName(), u"txtTitlos"_s);
  typeInto(titleBox(), u"Χ"_s);
  EXPECT_EQ(titleBox()->toPlainText(), u"Ποιήματα"_s);
  EXPECT_TRUE(titleBox()->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
}

TEST_F(RecordWindowTest, StudentsExitWritesNothing) {
  catalogue.setRecords({book(u"   Σολωμός  "_s)});
  const QByteArray stored = catalogue.bytes();
  open(Edition::students());
  EXPECT_EQ(line("txtEpo")->text(), u"Σολωμός"_s);
  press(Qt::Key_X, Qt::AltModifier);
  EXPECT_EQ(host.calls, QStringList({u"endProgram"_s}));
  EXPECT_FALSE(window->fileOpen());
  EXPECT_EQ(catalogue.bytes(), stored);

  catalogue.setBytes(QByteArray());
  host.calls.clear();
  open(Edition::students());
  click("cmdExit");
  EXPECT_EQ(host.calls, QStringList({u"endProgram"_s}));
  EXPECT_EQ(catalogue.bytes().size(), 0);
}

// Both editions search and print the same catalogue alike; only the product
// title differs.
TEST_F(RecordWindowTest, BothEditionsSearchAndPrintAlikeButForTheirTitles) {
  catalogue.setRecords({book(u"Α"_s, u"Ποιήματα"_s), book(u"Β"_s, u"Άλλα"_s), book(u"Γ"_s, u"Νέα Ποιήματα"_s)});
  QList<QList<ScriptedDialogs::Entry>> logs;
  QList<QList<PrintJob>> jobs;
  for (const Edition& edition : {Edition::librarian(), Edition::students()}) {
    platform.dialogs.clearLog();
    platform.sink.jobs.clear();
    open(edition);
    platform.dialogs.type(u"Ποιήματα"_s).answer(Answer::Yes).answer(Answer::Yes).answer(Answer::Ok);
    window->cmdFindTitle_Click();
    platform.dialogs.type(u"x"_s).answer(Answer::Ok).type(u"9"_s).answer(Answer::Ok);
    window->cmdFindcode_Click();
    platform.dialogs.answer(Answer::Ok);
    window->cmdEndPrint_Click();
    logs.append(platform.dialogs.log());
    jobs.append(platform.sink.jobs);
    const QByteArray bytes = catalogue.bytes();
    EXPECT_EQ(bytes.size(), 1050);
  }

  const auto withoutTitle = [](QString text) {
    return text.replace(u"Σ-Zelkor 3.2"_s, u"TITLE"_s).replace(u"Μ-Zelkor 3.2"_s, u"TITLE"_s);
  };
  ASSERT_EQ(logs[0].size(), logs[1].size());
  for (qsizetype i = 0; i < logs[0].size(); ++i) {
    const auto &a = logs[0][i], &b = logs[1][i];
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(withoutTitle(a.title), withoutTitle(b.title));
    EXPECT_TRUE(b.title.isEmpty() || b.title.startsWith(u"Μ-Zelkor 3.2"_s)) << b.title.toStdString();
    EXPECT_EQ(a.buttons, b.buttons);
    EXPECT_EQ(a.icon, b.icon);
  }
  ASSERT_EQ(jobs[0].size(), 1);
  ASSERT_EQ(jobs[1].size(), 1);
  ASSERT_EQ(jobs[0][0].pages.size(), 1);
  QStringList librarian = jobs[0][0].pages[0], students = jobs[1][0].pages[0];
  EXPECT_TRUE(students[0].startsWith(u"Μ-Zelkor 3.2: Εκτύπωση Εγγραφών στις "_s));
  for (QString& l : librarian) l = withoutTitle(l);
  for (QString& l : students) l = withoutTitle(l);
  EXPECT_EQ(librarian, students);
  EXPECT_EQ(librarian.size(), 2 + 2 * 8);
}
