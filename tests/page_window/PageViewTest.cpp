// The page window itself: its load step, how one record is drawn and stored
// for printing, its captions, menus and key map, and the ways out of it.
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "PageWindowFixture.h"

using namespace Qt::StringLiterals;

namespace {

const QString kLoadedCaption = u"Σ-Zelkor 3.2: Παρουσίαση Πολλαπλών Εγγραφών"_s;

TEST_F(PageWindowTest, LoadsBlankWithTheCaptionAsLoadedInBothEditions) {
  cat.setRecords(books(3));
  frmMulti& w = load();
  EXPECT_EQ(host.calls, QStringList{u"unloadRecordWindow"_s});
  EXPECT_TRUE(w.fileOpen());
  EXPECT_EQ(w.recordCount(), 3);
  EXPECT_EQ(w.currentRecord(), 1);
  EXPECT_TRUE(w.surface().runs().isEmpty());
  EXPECT_EQ(w.windowTitle(), kLoadedCaption);

  // The students' caption has a blank before the colon until a search ends.
  frmMulti& m = load(Edition::students());
  EXPECT_EQ(m.windowTitle(), u"Μ-Zelkor 3.2 : Παρουσίαση Πολλαπλών Εγγραφών"_s);
  tp.dialogs.type(u"κανένα"_s).answer(Dialogs::Answer::Ok);
  trigger("mnuNo");
  EXPECT_EQ(tp.dialogs.log()[0].title, u"Μ-Zelkor 3.2: Αναζήτηση Δανειζόμενου"_s);
  EXPECT_EQ(tp.dialogs.log()[1].title, u"Μ-Zelkor 3.2"_s);
  EXPECT_EQ(m.windowTitle(), u"Μ-Zelkor 3.2: Παρουσίαση Πολλαπλών Εγγραφών"_s);
}

TEST_F(PageWindowTest, AMissingCatalogueLoadsAsEmptyAndIsNotCreated) {
  frmMulti& w = load();
  EXPECT_TRUE(w.fileOpen());
  EXPECT_EQ(w.recordCount(), 1);
  EXPECT_FALSE(cat.exists());
}

TEST_F(PageWindowTest, DrawsFourLinesAtTheirColumnsAndStoresThreePrintLines) {
  const QString author = u"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ"_s;
  const QString others = u"abcdefghijklmnopqrstuvwxyz"_s;
  const QString title = u"τ"_s + u"0123456789"_s.repeated(10);  // 101 characters, kept to 100
  const QString publication = u"0123456789"_s.repeated(5);
  const QString number = u"ΑΡ 1234 / Ποίηση, νεοελληνική λογοτεχνία, 20ός αι."_s;  // exactly 50
  const QString borrower = u"Παπαδοπούλου Αικατερίνη 1/2/2027 και άλλοι"_s;
  QList<QStringList> records = books(4);
  records.append({author, others, title, publication, number, borrower});
  cat.setRecords(records);
  frmMulti& w = load();
  tp.dialogs.type(u"τ0123"_s).answer(Dialogs::Answer::No);
  trigger("mnuTitlos");

  const TextSurface& s = w.surface();
  const int col = s.columnWidth();
  ASSERT_EQ(s.runs().size(), 8);
  const QList<int> xs{2, 30 * col, 59 * col, 114 * col, 2, 2, 72 * col, 0};
  const QList<int> lines{0, 0, 0, 0, 1, 2, 2, 3};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(s.runs()[i].x, xs[i]) << i;
    EXPECT_EQ(s.runs()[i].line, lines[i]) << i;
  }
  EXPECT_EQ(s.lineText(0), u"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥ          abcdefghijklmnopqrst         "_s + publication +
                               QString(5, u' ') + u"Αρ.Εγγρ.= 5"_s);
  EXPECT_EQ(s.lineText(1), title.left(85));
  EXPECT_EQ(s.lineText(2), number + QString(22, u' ') + u"Παπαδοπούλου Αικατερίνη 1/2/2027 κ"_s);
  EXPECT_EQ(s.lineText(3), QString(110, u'_'));

  const auto& row = w.pageBuffer()[0];
  EXPECT_EQ(row[0], u"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤabcdefghijklmnopqrs01234567890123456789012345678901234"_s);
  EXPECT_EQ(row[1], title.left(75));
  // Latin E in the printed label, Greek on screen.
  EXPECT_EQ(row[2], u"ΑΡ 1234 / Ποίηση, νεοελληνική λογοτεχνίΠαπαδοπούλου Αικατερίνη Αρ.Eγγρ.= 5"_s);
  EXPECT_EQ(row[2].at(66).unicode(), 0x45);
  EXPECT_EQ(w.rowCount(), 1);
  EXPECT_EQ(w.currentRecord(), 5);
  EXPECT_EQ(tp.dialogs.log()[1].caption, recordCaption(5, 5));
}

TEST_F(PageWindowTest, AnEmptyRecordStillTakesFourLinesOfFullWidth) {
  cat.setRecords({{}, {u"Α"_s}});
  frmMulti& w = load();
  tp.dialogs.type(u" "_s).answer(Dialogs::Answer::No);
  trigger("mnuTitlos");
  ASSERT_EQ(w.rowCount(), 2);
  const TextSurface& s = w.surface();
  EXPECT_EQ(s.lineText(0), QString(114, u' ') + u"Αρ.Εγγρ.= 1"_s);
  EXPECT_EQ(s.lineText(1), QString(85, u' '));
  EXPECT_EQ(s.lineText(3), QString(110, u'_'));
  // The second record starts on the fifth line.
  EXPECT_EQ(s.lineText(4).right(11), u"Αρ.Εγγρ.= 2"_s);
  const auto& row = w.pageBuffer()[0];
  EXPECT_EQ(row[0], QString(73, u' '));
  EXPECT_EQ(row[1], QString(75, u' '));
  EXPECT_EQ(row[2], QString(62, u' ') + u" Αρ.Eγγρ.= 1"_s);
}

TEST_F(PageWindowTest, AFullPageFitsTheClientArea) {
  frmMulti& w = load();
  const TextSurface& s = w.surface();
  const QFontMetrics metrics(s.font());
  EXPECT_LE(114 * s.columnWidth() + metrics.horizontalAdvance(u"Αρ.Εγγρ.= 12345"_s), 642);
  EXPECT_LE(32 * s.lineHeight(), 420);
  EXPECT_GE(s.width(), 642);
  EXPECT_GE(s.height(), 420);
}

TEST_F(PageWindowTest, MenusCarryTheirCaptionsAndShortcuts) {
  load();
  struct Item {
    const char* name;
    QString caption;
    QKeySequence shortcut;
  };
  const QList<Item> items{
      {"mnuTelos", u"Ανά Εγγραφή"_s, QKeySequence(u"Ctrl+A"_s)},
      {"mnuPrint", u"Εκτύπωση"_s, QKeySequence(u"Ctrl+F2"_s)},
      {"mnuMenu", u"Μενού     F10"_s, {}},
      {"mnuExit", u"Έξοδος   Alt+X"_s, {}},
      {"mnuEpo", u"&Συγγραφέα"_s, QKeySequence(u"F5"_s)},
      {"mnuOno", u"Ά&λλου Ονόματος"_s, QKeySequence(u"F6"_s)},
      {"mnuTitlos", u"&Τίτλου"_s, QKeySequence(u"F7"_s)},
      {"mnuAlloi", u"Εκδ&οτικών"_s, QKeySequence(u"F8"_s)},
      {"mnuEkdot", u"Α&ριθμού ή Θέματος"_s, QKeySequence(u"F9"_s)},
      {"mnuNo", u"Δανει&ζόμενου"_s, QKeySequence(u"F11"_s)},
      {"mnuAuthorTitle", u"Συγγραφέα-Τίτλου"_s, QKeySequence(u"Ctrl+F5"_s)},
      {"mnuHelp1", u"Πλήκτρα"_s, QKeySequence(u"Ctrl+K"_s)},
      {"mnuhelp2", u"Βοήθεια"_s, QKeySequence(u"Ctrl+F1"_s)},
      {"mnuAbout", u"Περί ..."_s, {}},
  };
  for (const Item& item : items) {
    const QAction* action = window->findChild<QAction*>(QString::fromLatin1(item.name));
    ASSERT_NE(action, nullptr) << item.name;
    EXPECT_EQ(action->text(), item.caption) << item.name;
    EXPECT_EQ(action->shortcut(), item.shortcut) << item.name;
  }
  QStringList menus;
  for (const QAction* item : window->menuBar()->actions())
    menus.append(item->menu()->objectName() + u' ' + item->menu()->title());
  EXPECT_EQ(menus, (QStringList{u"mnuMulti &Αρχείο"_s, u"mnuSearch &Διερεύνηση"_s, u"mnuhelp &Βοήθεια"_s}));
}

TEST_F(PageWindowTest, ShortcutsReachTheirSearches) {
  frmMulti& w = load();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  tp.dialogs.type({}).type({});
  QTest::keyClick(&w, Qt::Key_F7);
  QTest::keyClick(&w, Qt::Key_F5, Qt::ControlModifier);
  ASSERT_EQ(tp.dialogs.log().size(), 2);
  EXPECT_EQ(tp.dialogs.log()[0].title, u"Σ-Zelkor 3.2: Αναζήτηση Τίτλου"_s);
  EXPECT_EQ(tp.dialogs.log()[1].title, u"Σ-Zelkor 3.2: Αναζήτηση Κειμένου"_s);
}

TEST_F(PageWindowTest, AltKeysStartTheirSearchesOnlyWithAltAlone) {
  frmMulti& w = load();
  const QList<std::pair<Qt::Key, QString>> rows{
      {Qt::Key_S, u"Σ-Zelkor 3.2: Αναζήτηση Συγγραφέα/Επιμελητή"_s},
      {Qt::Key_L, u"Σ-Zelkor 3.2: Αναζήτηση Άλλου Ονόματος"_s},
      {Qt::Key_T, u"Σ-Zelkor 3.2: Αναζήτηση Τίτλου"_s},
      {Qt::Key_Y, u"Σ-Zelkor 3.2: Αναζήτηση Εκδοτικού Στοιχείου:"_s},
      {Qt::Key_O, u"Σ-Zelkor 3.2: Αναζήτηση Βιβλιάριθμου ή Θέματος:"_s},
      {Qt::Key_R, u"Σ-Zelkor 3.2: Αναζήτηση Δανειζόμενου"_s},
  };
  for (const auto& [key, title] : rows) {
    tp.dialogs.clearLog();
    tp.dialogs.type({});
    QTest::keyClick(&w, key, Qt::AltModifier);
    ASSERT_EQ(tp.dialogs.log().size(), 1) << title.toStdString();
    EXPECT_EQ(tp.dialogs.log()[0].title, title);
  }

  // The Greek layout's sigma is the same key.
  tp.dialogs.clearLog();
  tp.dialogs.type({});
  QKeyEvent sigma(QEvent::KeyPress, 0x03A3, Qt::AltModifier, u"σ"_s);
  QCoreApplication::sendEvent(&w, &sigma);
  ASSERT_EQ(tp.dialogs.log().size(), 1);
  EXPECT_EQ(tp.dialogs.log()[0].title, u"Σ-Zelkor 3.2: Αναζήτηση Συγγραφέα/Επιμελητή"_s);

  // Any other modifier with Alt, and keys outside the map, do nothing.
  tp.dialogs.clearLog();
  QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier | Qt::ShiftModifier);
  QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier | Qt::ControlModifier);
  QTest::keyClick(&w, Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
  QTest::keyClick(&w, Qt::Key_Z, Qt::AltModifier);
  QTest::keyClick(&w, Qt::Key_S);
  QTest::keyClick(&w, Qt::Key_PageDown);
  QTest::keyClick(&w, Qt::Key_PageUp);
  EXPECT_TRUE(tp.dialogs.log().isEmpty());
  EXPECT_EQ(host.calls, QStringList{u"unloadRecordWindow"_s});
}

TEST_F(PageWindowTest, AltXEndsTheProgramWithoutAQuestion) {
  cat.setRecords(books(2));
  const QByteArray before = cat.bytes();
  frmMulti& w = load();
  QTest::keyClick(&w, Qt::Key_X, Qt::AltModifier);
  EXPECT_EQ(host.calls.last(), u"endProgram"_s);
  EXPECT_FALSE(w.fileOpen());
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(cat.bytes(), before);
}

TEST_F(PageWindowTest, TelosHandsBackToTheRecordWindowKeepingThePageButNotItsDrawing) {
  cat.setRecords(books(9));
  frmMulti& w = load(Edition::students());
  tp.dialogs.type(u"Τίτλος"_s).answer(Dialogs::Answer::No).answer(Dialogs::Answer::Cancel);
  trigger("mnuTitlos");
  ASSERT_EQ(w.windowTitle(), u"Μ-Zelkor 3.2: Παρουσίαση Πολλαπλών Εγγραφών"_s);
  tp.dialogs.type(u"Τίτλος"_s).answer(Dialogs::Answer::Cancel);
  trigger("mnuTitlos");
  ASSERT_EQ(w.rowCount(), 8);
  trigger("mnuTelos");
  EXPECT_EQ(host.calls, (QStringList{u"unloadRecordWindow"_s, u"unloadPageWindow"_s, u"loadRecordWindow"_s}));
  EXPECT_FALSE(w.fileOpen());
  EXPECT_FALSE(w.isVisible());

  // A new visit opens the file afresh and keeps the page buffer, but opens
  // blank under the caption as loaded, not the record caption it was left with.
  cat.setRecords(books(5));
  w.Form_Load();
  EXPECT_TRUE(w.fileOpen());
  EXPECT_EQ(w.recordCount(), 5);
  EXPECT_EQ(w.currentRecord(), 1);
  EXPECT_EQ(w.rowCount(), 8);
  EXPECT_EQ(w.pageBuffer()[7][1].trimmed(), u"Τίτλος 8"_s);
  EXPECT_TRUE(w.surface().runs().isEmpty());
  EXPECT_EQ(w.windowTitle(), u"Μ-Zelkor 3.2 : Παρουσίαση Πολλαπλών Εγγραφών"_s);
}

TEST_F(PageWindowTest, ClosingThroughTheFrameReleasesTheFile) {
  frmMulti& w = load();
  w.close();
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(w.fileOpen());
  EXPECT_EQ(host.calls, QStringList{u"unloadRecordWindow"_s});
}

TEST_F(PageWindowTest, HelpMenuOpensKeyHelpHelpFileAndAbout) {
  load();
  trigger("mnuHelp1");
  trigger("mnuAbout");
  trigger("mnuhelp2");
  trigger("mnuhelp2");
  EXPECT_EQ(host.calls, (QStringList{u"unloadRecordWindow"_s, u"showKeyHelp"_s, u"showAbout"_s}));
  ASSERT_EQ(tp.help.calls.size(), 2);
  for (const auto& call : tp.help.calls) {
    EXPECT_EQ(call.file, u"ZELKOR.HLP"_s);
    EXPECT_EQ(call.command, 3);
  }
}

TEST_F(PageWindowTest, ACatalogueThatCannotBeOpenedIsReportedAndEndsTheProgram) {
  cat.setRecords(books(2));
  FaultyFileIoFactory files;
  files.failEvery(FaultyFileIoFactory::Kind::Open);
  tp.files = &files;
  tp.dialogs.answer(Dialogs::Answer::Ok);
  load();
  ASSERT_EQ(tp.dialogs.messages().size(), 1);
  const auto box = tp.dialogs.messages()[0];
  EXPECT_TRUE(box.text.contains(u"Zelkor.dat"_s)) << box.text.toStdString();
  EXPECT_TRUE(box.text.endsWith(u"\r\nΤο πρόγραμμα θα τερματιστεί."_s));
  EXPECT_EQ(box.title, u"Σ-Zelkor 3.2"_s);
  EXPECT_EQ(box.icon, Dialogs::Icon::Exclamation);
  EXPECT_EQ(host.calls, (QStringList{u"unloadRecordWindow"_s, u"endProgram"_s}));
}

TEST_F(PageWindowTest, AReadFailureDuringASearchIsReportedAndStopsIt) {
  cat.setRecords(books(3));
  FaultyFileIoFactory files;
  files.failEvery(FaultyFileIoFactory::Kind::Read);
  tp.files = &files;
  frmMulti& w = load();
  tp.dialogs.type(u"Τίτλος"_s).answer(Dialogs::Answer::Ok);
  trigger("mnuTitlos");
  ASSERT_EQ(tp.dialogs.messages().size(), 1);
  EXPECT_TRUE(tp.dialogs.messages()[0].text.endsWith(u"\r\nΤο πρόγραμμα θα τερματιστεί."_s));
  EXPECT_EQ(host.calls.last(), u"endProgram"_s);
  EXPECT_EQ(w.rowCount(), 0);
}

TEST_F(PageWindowTest, AReadFailureWhileDrawingAMatchIsReportedAndStopsTheSearch) {
  cat.setRecords(books(3));
  FaultyFileIoFactory files;
  files.failEvery(FaultyFileIoFactory::Kind::Read, 1);  // the scan's block read succeeds, drawing the match fails
  tp.files = &files;
  frmMulti& w = load();
  tp.dialogs.type(u"Τίτλος 2"_s).answer(Dialogs::Answer::Ok);
  trigger("mnuTitlos");
  ASSERT_EQ(tp.dialogs.messages().size(), 1);
  EXPECT_TRUE(tp.dialogs.messages()[0].text.endsWith(u"\r\nΤο πρόγραμμα θα τερματιστεί."_s));
  EXPECT_EQ(host.calls.last(), u"endProgram"_s);
  EXPECT_TRUE(w.surface().runs().isEmpty());
}

}  // namespace
