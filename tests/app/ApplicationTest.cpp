// The two main windows together under the application object: the hand-over
// and back, what survives a visit, the secondary windows, ending, and the
// editor's lock.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "app/Application.h"
#include "catalogue/CatalogueLock.h"
#include "help/frmAbout.h"
#include "help/frmHelp.h"
#include "page_window/frmMulti.h"
#include "record_window/frmZelkor.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

void trigger(QWidget& window, const char* action) {
  QAction* a = window.findChild<QAction*>(QString::fromLatin1(action));
  ASSERT_NE(a, nullptr) << action;
  a->trigger();
}

void click(QWidget& window, const char* button) {
  QPushButton* b = window.findChild<QPushButton*>(QString::fromLatin1(button));
  ASSERT_NE(b, nullptr) << button;
  b->click();
}

QList<QStringList> books(int n) {
  QList<QStringList> out;
  for (int i = 1; i <= n; ++i)
    out.append({u"Συγγραφέας %1"_s.arg(i), {}, u"Τίτλος %1"_s.arg(i), u"Αθήνα"_s, QString::number(1000 + i), {}});
  return out;
}

class ApplicationTest : public ::testing::Test {
 protected:
  void TearDown() override {
    app.reset();
    EXPECT_EQ(tp.dialogs.pending(), 0) << "scripted answers left unused";
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
  }
  Application& start(const Edition& edition = Edition::librarian()) {
    app = std::make_unique<Application>(tp.platform(), edition);
    EXPECT_TRUE(app->start());
    return *app;
  }

  TempCatalogue cat;
  TestPlatform tp;
  std::unique_ptr<Application> app;
};

TEST_F(ApplicationTest, StartsOnRecordOneOfAnEmptyNewCatalogue) {
  Application& a = start();
  EXPECT_TRUE(a.recordWindow().isVisible());
  EXPECT_FALSE(a.pageWindow().isVisible());
  EXPECT_EQ(a.recordWindow().windowTitle(), recordWindowCaption(1, 1));
  EXPECT_TRUE(cat.exists());
  EXPECT_EQ(cat.bytes().size(), 0);
  a.endProgram();
}

TEST_F(ApplicationTest, RoundTripToThePageWindowLosesTypingAndReturnsToRecordOneOfAFreshCount) {
  cat.setRecords(books(3));
  Application& a = start();
  frmZelkor& rec = a.recordWindow();
  trigger(rec, "mnuNext");
  trigger(rec, "mnuNext");
  rec.findChild<QLineEdit*>(u"txtEpo"_s)->setText(u"αλλαγή που δεν καταχωρίστηκε"_s);
  const QByteArray before = cat.bytes();

  trigger(rec, "mnuMulti");
  EXPECT_FALSE(rec.isVisible());
  EXPECT_FALSE(rec.fileOpen());
  ASSERT_TRUE(a.pageWindow().isVisible());
  EXPECT_EQ(a.pageWindow().windowTitle(), u"Σ-Zelkor 3.2: Παρουσίαση Πολλαπλών Εγγραφών"_s);
  EXPECT_EQ(cat.bytes(), before);

  // Another program adds two books while the page window is shown.
  cat.setBytes(before + TempCatalogue::record({u"Νέο 4"_s}) + TempCatalogue::record({u"Νέο 5"_s}));
  trigger(a.pageWindow(), "mnuTelos");
  EXPECT_FALSE(a.pageWindow().isVisible());
  EXPECT_FALSE(a.pageWindow().fileOpen());
  ASSERT_TRUE(rec.isVisible());
  EXPECT_EQ(rec.windowTitle(), recordWindowCaption(1, 5));
  EXPECT_EQ(rec.findChild<QLineEdit*>(u"txtEpo"_s)->text(), u"Συγγραφέας 1"_s);
  EXPECT_EQ(cat.fieldsOf(3).at(0).trimmed(), u"Συγγραφέας 3"_s);
  a.endProgram();
}

TEST_F(ApplicationTest, PrintCounterContinuesAcrossAVisitWhileThePageWindowEndsTheDocument) {
  cat.setRecords(books(8));
  Application& a = start();
  frmZelkor& rec = a.recordWindow();
  for (int i = 0; i < 3; ++i) {
    click(rec, "cmdPrint");
    trigger(rec, "mnuNext");
  }
  ASSERT_EQ(rec.printCounter(), 3);

  // The page window's Print command ends the document holding the three records.
  trigger(rec, "mnuMulti");
  trigger(a.pageWindow(), "mnuPrint");
  ASSERT_EQ(tp.sink.jobs.size(), 1);
  const QStringList first = tp.sink.jobs[0].pages.value(0);
  EXPECT_EQ(first.value(0), u"Σ-Zelkor 3.2: Εκτύπωση Εγγραφών στις "_s + tp.clock.printedMoment());
  EXPECT_EQ(first.size(), 2 + 3 * 8 + 56) << "the page follows the queued records on the same sheet";
  EXPECT_EQ(a.pageWindow().pageNumber(), 1);

  trigger(a.pageWindow(), "mnuTelos");
  EXPECT_EQ(rec.printCounter(), 3);
  // Records 4 to 7 of the page: no heading at the top of the new document,
  // and the page still breaks after the seventh.
  for (int i = 0; i < 5; ++i) click(rec, "cmdPrint");
  tp.dialogs.answer(Dialogs::Answer::Ok);
  click(rec, "cmdEndPrint");
  ASSERT_EQ(tp.sink.jobs.size(), 2);
  const PrintJob& second = tp.sink.jobs[1];
  ASSERT_EQ(second.pages.size(), 2);
  EXPECT_EQ(second.pages[0].size(), 4 * 8);
  EXPECT_TRUE(second.pages[0].value(0).startsWith(u"Συγγραφέας 1"_s));
  EXPECT_EQ(second.pages[1].value(0), u"Σ-Zelkor 3.2: Εκτύπωση Εγγραφών στις "_s + tp.clock.printedMoment());
  a.endProgram();
}

TEST_F(ApplicationTest, PageStateSurvivesAVisitToTheRecordWindow) {
  cat.setRecords(books(3));
  Application& a = start();
  trigger(a.recordWindow(), "mnuMulti");
  frmMulti& page = a.pageWindow();
  tp.dialogs.type(u"Τίτλος"_s).answer(Dialogs::Answer::No);  // last-records question
  trigger(page, "mnuTitlos");
  ASSERT_EQ(page.rowCount(), 3);
  trigger(page, "mnuTelos");
  trigger(a.recordWindow(), "mnuMulti");
  EXPECT_EQ(page.rowCount(), 3);
  EXPECT_EQ(page.pageBuffer()[2][1].trimmed(), u"Τίτλος 3"_s);
  trigger(page, "mnuPrint");
  ASSERT_EQ(tp.sink.jobs.size(), 1);
  EXPECT_EQ(tp.sink.jobs[0].pages[0].last(), u" Σελίδα  1"_s);
  a.endProgram();
}

TEST_F(ApplicationTest, KeyHelpAndAboutAreSingleAndSurviveTheHandOver) {
  Application& a = start();
  trigger(a.recordWindow(), "mnuhelp");
  frmHelp* help = a.keyHelp();
  ASSERT_NE(help, nullptr);
  trigger(a.recordWindow(), "mnuhelp");
  EXPECT_EQ(a.keyHelp(), help);
  EXPECT_EQ(QApplication::topLevelWidgets().count(help), 1);

  trigger(a.recordWindow(), "mnuAbout1");
  frmAbout* about = a.about();
  ASSERT_NE(about, nullptr);

  trigger(a.recordWindow(), "mnuMulti");
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(about->isVisible());
  trigger(a.pageWindow(), "mnuHelp1");
  trigger(a.pageWindow(), "mnuAbout");
  EXPECT_EQ(a.keyHelp(), help);
  EXPECT_EQ(a.about(), about);
  trigger(a.pageWindow(), "mnuTelos");
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(about->isVisible());

  // The help file is asked for the same way from both windows, every time.
  trigger(a.recordWindow(), "mnuhelp1");
  trigger(a.recordWindow(), "mnuMulti");
  trigger(a.pageWindow(), "mnuhelp2");
  ASSERT_EQ(tp.help.calls.size(), 2);
  for (const auto& call : tp.help.calls) {
    EXPECT_EQ(call.file, u"ZELKOR.HLP"_s);
    EXPECT_EQ(call.command, HelpEngine::kContents);
  }
  a.endProgram();
  EXPECT_FALSE(help->isVisible());
}

TEST_F(ApplicationTest, EndingFromTheRecordWindowSavesTheBoxesAndEndsEverything) {
  Application& a = start();
  a.recordWindow().findChild<QLineEdit*>(u"txtEpo"_s)->setText(u"Ελύτης, Οδυσσέας"_s);
  trigger(a.recordWindow(), "mnuEnd");
  EXPECT_TRUE(a.ended());
  EXPECT_FALSE(a.recordWindow().isVisible());
  EXPECT_EQ(cat.bytes().size(), 350);
  EXPECT_EQ(cat.fieldsOf(1).at(0).trimmed(), u"Ελύτης, Οδυσσέας"_s);
}

TEST_F(ApplicationTest, RecordsStillQueuedAtTheEndAreReleasedToThePrinter) {
  cat.setRecords(books(2));
  Application& a = start();
  click(a.recordWindow(), "cmdPrint");
  a.recordWindow().close();  // from the title bar
  EXPECT_TRUE(tp.sink.jobs.isEmpty());
  app.reset();
  ASSERT_EQ(tp.sink.jobs.size(), 1);
  EXPECT_EQ(tp.sink.jobs[0].pages[0].size(), 2 + 8);
}

TEST_F(ApplicationTest, EndingFromThePageWindowWritesNothing) {
  cat.setRecords(books(2));
  const QByteArray before = cat.bytes();
  Application& a = start();
  a.recordWindow().findChild<QLineEdit*>(u"txtEpo"_s)->setText(u"δεν γράφεται"_s);
  trigger(a.recordWindow(), "mnuMulti");
  a.pageWindow().mnuExit_Click();
  EXPECT_TRUE(a.ended());
  EXPECT_FALSE(a.pageWindow().isVisible());
  EXPECT_EQ(cat.bytes(), before);
}

TEST_F(ApplicationTest, ASecondEditorIsToldTheCatalogueIsInUseAndWritesNothing) {
  CatalogueLock other;
  ASSERT_EQ(other.acquire(cat.path()), CatalogueLock::Result::Acquired);
  tp.dialogs.answer(Dialogs::Answer::Ok);
  Application second(tp.platform(), Edition::librarian());
  EXPECT_FALSE(second.start());
  ASSERT_EQ(tp.dialogs.messages().size(), 1);
  const auto box = tp.dialogs.messages()[0];
  EXPECT_TRUE(box.text.contains(u"ήδη ανοικτός για καταχώριση"_s)) << box.text.toStdString();
  EXPECT_EQ(box.title, u"Σ-Zelkor 3.2"_s);
  EXPECT_FALSE(second.recordWindow().isVisible());
  EXPECT_EQ(cat.bytes().size(), 0);

  // The students' edition takes no lock and is never blocked.
  Application view(tp.platform(), Edition::students());
  EXPECT_TRUE(view.start());
  view.endProgram();
  EXPECT_EQ(cat.bytes().size(), 0);
}

TEST_F(ApplicationTest, TheLockHoldsAcrossTheHandOversOfItsOwnWindows) {
  Application& a = start();
  trigger(a.recordWindow(), "mnuMulti");
  trigger(a.pageWindow(), "mnuTelos");
  CatalogueLock other;
  EXPECT_EQ(other.acquire(cat.path()), CatalogueLock::Result::HeldElsewhere);
  a.endProgram();
  EXPECT_EQ(other.acquire(cat.path()), CatalogueLock::Result::Acquired);
}

}  // namespace

namespace {

// A key as the user presses it: to an open drop-down, else to the focus, else
// to the active window.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString()) {
  QWidget* target = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                    : QApplication::focusWidget()     ? QApplication::focusWidget()
                                                      : QApplication::activeWindow();
  ASSERT_NE(target, nullptr);
  if (text.isNull())
    QTest::keyClick(target, Qt::Key(key), modifiers);
  else
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), text, modifiers);
}

QString highlighted(QMenuBar* bar) { return bar->activeAction() ? bar->activeAction()->text() : QString(); }

QString openMenu() {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  return menu ? menu->title() : QString();
}

// F10 in `window`: the menu bar holds the keys with its first title
// highlighted and no drop-down; arrows and access letters, Latin or Greek,
// move in it, Enter opens, and no key reaches the window's own key map (the
// caption stays, no box opens); Esc gives the keys back to the control that
// had them, or to the window when none had them.
void expectF10HandsTheKeysToTheMenuBar(QMainWindow& window, int commandKey, Qt::KeyboardModifiers modifiers) {
  QMenuBar* bar = window.menuBar();
  QWidget* control = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
  const QString caption = window.windowTitle();
  const QImage idle = bar->grab().toImage();

  press(Qt::Key_F10);
  EXPECT_EQ(QApplication::focusWidget(), bar);
  EXPECT_EQ(highlighted(bar), u"&Αρχείο"_s);
  EXPECT_EQ(openMenu(), QString());
  EXPECT_TRUE(bar->grab().toImage() != idle) << "the first title is not shown highlighted";

  // Neither the window's key map nor the menus' shortcuts hear a key, with
  // the bar highlighted or a drop-down open.
  const auto visibleWindows = [] {
    int n = 0;
    for (const QWidget* w : QApplication::topLevelWidgets()) n += w->isVisible() && !qobject_cast<const QMenu*>(w);
    return n;
  };
  const int shown = visibleWindows();
  const auto expectNothingActed = [&](const char* after) {
    SCOPED_TRACE(after);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), caption);
    EXPECT_EQ(visibleWindows(), shown);
  };
  press(commandKey, modifiers);
  expectNothingActed("the window's own key");
  EXPECT_EQ(highlighted(bar), u"&Αρχείο"_s);
  EXPECT_EQ(openMenu(), QString());
  const QList<QKeyCombination> shortcuts{Qt::Key_F1,
                                         Qt::Key_F4,
                                         Qt::Key_F12,
                                         QKeyCombination(Qt::ControlModifier, Qt::Key_K),
                                         QKeyCombination(Qt::ControlModifier, Qt::Key_F1),
                                         QKeyCombination(Qt::ControlModifier, Qt::Key_A)};
  for (const QKeyCombination key : shortcuts) {
    press(key.key(), key.keyboardModifiers());
    expectNothingActed(qPrintable(QKeySequence(key).toString()));
    EXPECT_EQ(highlighted(bar), u"&Αρχείο"_s);
  }
  press(Qt::Key_Return);
  for (const QKeyCombination key : shortcuts) {
    press(key.key(), key.keyboardModifiers());
    expectNothingActed(qPrintable(u"drop-down open, "_s + QKeySequence(key).toString()));
    EXPECT_EQ(openMenu(), u"&Αρχείο"_s);
  }
  press(Qt::Key_Escape);

  press(Qt::Key_Right);
  EXPECT_EQ(openMenu(), QString());
  press(Qt::Key_Left);
  EXPECT_EQ(highlighted(bar), u"&Αρχείο"_s);
  press(Qt::Key_Return);
  EXPECT_EQ(openMenu(), u"&Αρχείο"_s);
  press(Qt::Key_Escape);
  EXPECT_EQ(openMenu(), QString());
  EXPECT_EQ(QApplication::focusWidget(), bar);

  press(Qt::Key_D, Qt::NoModifier, u"d"_s);  // the Latin layout's key of Δ
  EXPECT_EQ(openMenu(), u"&Διερεύνηση"_s);
  press(Qt::Key_Escape);
  press(0x0391, Qt::NoModifier, u"α"_s);  // Α under the Greek layout
  EXPECT_EQ(openMenu(), u"&Αρχείο"_s);
  press(Qt::Key_Escape);
  EXPECT_EQ(highlighted(bar), u"&Αρχείο"_s);

  press(Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), control);
  EXPECT_EQ(highlighted(bar), QString());
  EXPECT_TRUE(bar->grab().toImage() == idle) << "a title is still shown highlighted";
  EXPECT_EQ(window.windowTitle(), caption);

  // F10 again leaves the menu bar as Esc does.
  press(Qt::Key_F10);
  press(Qt::Key_F10);
  EXPECT_EQ(QApplication::focusWidget(), control);
  EXPECT_EQ(openMenu(), QString());
}

TEST_F(ApplicationTest, F10HandsTheKeysToTheMenuBarOfEitherWindowInEitherEdition) {
  for (const Edition& edition : {Edition::librarian(), Edition::students()}) {
    SCOPED_TRACE(edition.productTitle().toStdString());
    cat.setRecords(books(2));
    Application& a = start(edition);
    frmZelkor& rec = a.recordWindow();
    QApplication::setActiveWindow(&rec);
    expectF10HandsTheKeysToTheMenuBar(rec, Qt::Key_PageDown, Qt::NoModifier);
    EXPECT_TRUE(tp.dialogs.log().isEmpty());

    // F10, Esc, Enter: the keys act as before F10, once, and open nothing.
    const qint16 queued = rec.printCounter();
    press(Qt::Key_F10);
    press(Qt::Key_Escape);
    press(Qt::Key_Return);
    EXPECT_EQ(rec.printCounter(), queued + 1);
    EXPECT_EQ(openMenu(), QString());
    EXPECT_EQ(rec.menuBar()->activeAction(), nullptr);

    trigger(rec, "mnuMulti");
    QApplication::setActiveWindow(&a.pageWindow());
    expectF10HandsTheKeysToTheMenuBar(a.pageWindow(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(tp.dialogs.log().isEmpty()) << "Alt+S searched while the menu bar held the keys";
    a.endProgram();
    app.reset();
  }
}

// Under the Latin layout the items of an open drop-down answer their Greek
// access letters' keys too: F10, the key of Ε opens "&Εγγραφή", the key of η
// is "Επόμεν&η"; under the Greek layout the letters themselves still do.
TEST_F(ApplicationTest, AccessLettersInsideAnOpenMenuAnswerAtTheirLatinKeys) {
  cat.setRecords(books(3));
  Application& a = start();
  frmZelkor& rec = a.recordWindow();
  QApplication::setActiveWindow(&rec);
  press(Qt::Key_F10);
  press(Qt::Key_E, Qt::NoModifier, u"e"_s);
  ASSERT_EQ(openMenu(), u"&Εγγραφή"_s);
  press(Qt::Key_H, Qt::NoModifier, u"h"_s);
  EXPECT_EQ(openMenu(), QString());
  EXPECT_EQ(rec.currentRecord(), 2);

  press(Qt::Key_F10);
  press(0x0395, Qt::NoModifier, u"ε"_s);
  ASSERT_EQ(openMenu(), u"&Εγγραφή"_s);
  press(0x0397, Qt::NoModifier, u"η"_s);
  EXPECT_EQ(rec.currentRecord(), 3);
  EXPECT_TRUE(tp.dialogs.log().isEmpty());
  a.endProgram();
}

// Ctrl+letter accelerators answer at their Latin key positions under the Greek
// layout, where the key arrives as a Greek letter.
TEST_F(ApplicationTest, CtrlAcceleratorsAnswerUnderTheGreekLayout) {
  cat.setRecords(books(2));
  Application& a = start();
  auto greekCtrl = [](QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier, text);
    QApplication::sendEvent(target, &press);
  };
  greekCtrl(a.recordWindow().findChild<QLineEdit*>(u"txtEpo"_s), 0x039A, u"κ"_s);  // Ctrl+Κ
  ASSERT_NE(a.keyHelp(), nullptr);
  EXPECT_TRUE(a.keyHelp()->isVisible());

  trigger(a.recordWindow(), "mnuMulti");
  greekCtrl(&a.pageWindow(), 0x0391, u"α"_s);  // Ctrl+Α goes back
  EXPECT_FALSE(a.pageWindow().isVisible());
  EXPECT_TRUE(a.recordWindow().isVisible());
  a.endProgram();
}

TEST_F(ApplicationTest, KeysTypedInTheSecondaryWindowsStayThere) {
  cat.setRecords(books(3));
  Application& a = start();
  a.showKeyHelp();
  a.showAbout();
  for (QWidget* w : {static_cast<QWidget*>(a.keyHelp()), static_cast<QWidget*>(a.about())}) {
    QWidget* target = w->focusWidget() ? w->focusWidget() : w;
    QTest::keyClick(target, Qt::Key_PageDown);
    QTest::keyClick(target, Qt::Key_H, Qt::AltModifier);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
  }
  EXPECT_EQ(a.recordWindow().currentRecord(), 1);
  EXPECT_TRUE(a.recordWindow().isVisible());
  EXPECT_TRUE(tp.dialogs.log().isEmpty());
  a.endProgram();
}

}  // namespace
