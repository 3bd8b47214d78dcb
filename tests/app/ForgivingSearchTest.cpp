// The forgiving search through both windows: the switch at the end of each
// search menu, what every text search finds with it on and off, and the
// setting both windows share and keep.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include "app/Application.h"
#include "page_window/frmMulti.h"
#include "platform/widgets/TextSurface.h"
#include "record_window/frmZelkor.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;
using Answer = Dialogs::Answer;

namespace {

const QString kTyped = u"Λαβύρινθος"_s;

// One title in five spellings (as typed, capitals, small letters with a final
// sigma, Latin A Y I N O among the capitals, a plain sigma at the end) and
// another book, each written into all six fields.
const QStringList kSpellings{u"Ο Λαβύρινθος"_s, u"Ο ΛΑΒΥΡΙΝΘΟΣ"_s, u"ο λαβυρινθος του Μίνωα"_s,
                             u"Ο ΛAΒYΡINΘOΣ"_s, u"Ο λαβύρινθοσ"_s, u"Ο Κήπος"_s};
const QList<int> kEverySpelling{1, 2, 3, 4, 5};
const QList<int> kAsTyped{1};

const char* const kRecordSearches[] = {"mnuISBN", "mnuAuthor", "mnuTitle", "mnuAlloi", "mnuEkdot", "mnuNo"};
const char* const kPageSearches[] = {"mnuEpo",   "mnuOno", "mnuTitlos",     "mnuAlloi",
                                     "mnuEkdot", "mnuNo",  "mnuAuthorTitle"};

class ForgivingSearchTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    QList<QStringList> records;
    for (const QString& title : kSpellings) records.append(QStringList(6, title));
    cat.setRecords(records);
  }
  void TearDown() override {
    if (app) app->endProgram();
    app.reset();
    EXPECT_EQ(tp.dialogs.pending(), 0) << "scripted answers left unused";
  }
  Edition edition() const { return GetParam() ? Edition::students() : Edition::librarian(); }
  Application& start() {
    app = std::make_unique<Application>(tp.platform(), edition());
    EXPECT_TRUE(app->start());
    return *app;
  }

  static QAction* item(QWidget& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
  }
  // The switch as the user sees it on opening the window's search menu.
  static bool shownChecked(QWidget& window) {
    emit window.findChild<QMenu*>(u"mnuSearch"_s)->aboutToShow();
    return item(window, "mnuForgiving")->isChecked();
  }

  // The records a record-window search offers to print, answering No to each.
  QList<int> recordSearch(const char* search, int expected) {
    tp.dialogs.clearLog();
    tp.dialogs.type(kTyped);
    for (int i = 0; i < expected; ++i) tp.dialogs.answer(Answer::No);
    tp.dialogs.answer(Answer::Ok);
    item(app->recordWindow(), search)->trigger();
    QList<int> offered;
    const QString question = u"Θέλετε να Εκτυπώσω την Εγγραφή"_s;
    for (QString text : tp.dialogs.messageTexts())
      if (text.startsWith(question)) offered.append(text.mid(question.size()).remove(u';').trimmed().toInt());
    return offered;
  }
  // The records a page-window search draws, answering No to printing them.
  QList<int> pageSearch(const char* search) {
    tp.dialogs.type(kTyped).answer(Answer::No);
    item(app->pageWindow(), search)->trigger();
    QList<int> shown;
    for (const TextSurface::Run& run : app->pageWindow().surface().runs())
      if (run.text.startsWith(u"Αρ.Εγγρ.="_s)) shown.append(run.text.mid(9).trimmed().toInt());
    return shown;
  }
  void expectEverySearchFinds(const QList<int>& found) {
    for (const char* search : kRecordSearches) EXPECT_EQ(recordSearch(search, int(found.size())), found) << search;
    item(app->recordWindow(), "mnuMulti")->trigger();
    for (const char* search : kPageSearches) EXPECT_EQ(pageSearch(search), found) << search;
    item(app->pageWindow(), "mnuTelos")->trigger();
  }

  TempCatalogue cat;
  TestPlatform tp;
  std::unique_ptr<Application> app;
};

TEST_P(ForgivingSearchTest, TheSwitchEndsEachSearchMenuAfterASeparatorWithAnAccessLetterOfItsOwn) {
  Application& a = start();
  const QStringList switchItems{u"mnuSepForgiving"_s, u"mnuForgiving"_s};
  // The record window's overdue list comes after the switch (hidden in the students' edition).
  const QStringList recordItems = QStringList{u"mnuCodeNo"_s, u"mnuISBN"_s,  u"mnuAuthor"_s, u"mnuTitle"_s,
                                              u"mnuAlloi"_s,  u"mnuEkdot"_s, u"mnuNo"_s} +
                                  switchItems + QStringList{u"mnuSepLoans"_s, u"mnuOverdue"_s};
  QStringList pageItems;
  for (const char* search : kPageSearches) pageItems.append(QString::fromLatin1(search));
  pageItems += switchItems;
  for (auto [window, items] :
       {std::pair<QWidget*, QStringList>{&a.recordWindow(), recordItems}, {&a.pageWindow(), pageItems}}) {
    const QList<QAction*> actions = window->findChild<QMenu*>(u"mnuSearch"_s)->actions();
    QStringList names, letters;
    for (QAction* action : actions) {
      names.append(action->objectName());
      const QKeySequence letter = QKeySequence::mnemonic(action->text());
      if (letter.isEmpty()) continue;
      EXPECT_FALSE(letters.contains(letter.toString())) << action->text().toStdString();
      letters.append(letter.toString());
    }
    EXPECT_EQ(names, items);
    const QAction* forgiving = actions[names.indexOf(u"mnuForgiving"_s)];
    EXPECT_EQ(forgiving->text(), u"&Χωρίς τόνους και κεφαλαία"_s);
    EXPECT_TRUE(forgiving->isCheckable() && forgiving->isVisible());
    EXPECT_FALSE(shownChecked(*window));
  }
}

TEST_P(ForgivingSearchTest, OffEverySearchIsExactOnEverySearchFindsEverySpelling) {
  start();
  expectEverySearchFinds(kAsTyped);
  const QByteArray before = cat.bytes();

  item(app->recordWindow(), "mnuForgiving")->trigger();
  expectEverySearchFinds(kEverySpelling);
  EXPECT_EQ(cat.bytes(), before);

  // The code search is the same either way.
  tp.dialogs.type(u"6"_s);
  item(app->recordWindow(), "mnuCodeNo")->trigger();
  EXPECT_EQ(app->recordWindow().findChild<QLineEdit*>(u"txtEpo"_s)->text(), u"Ο Κήπος"_s);
}

TEST_P(ForgivingSearchTest, BothWindowsShareTheSettingAndItOutlivesTheRun) {
  Application& a = start();
  item(a.recordWindow(), "mnuForgiving")->trigger();
  EXPECT_TRUE(tp.settings.forgiving);
  item(a.recordWindow(), "mnuMulti")->trigger();
  EXPECT_TRUE(shownChecked(a.pageWindow()));
  item(a.pageWindow(), "mnuForgiving")->trigger();
  EXPECT_FALSE(tp.settings.forgiving);
  item(a.pageWindow(), "mnuForgiving")->trigger();
  a.endProgram();

  // The next run starts with it on.
  Application& next = start();
  EXPECT_TRUE(shownChecked(next.recordWindow()));
  EXPECT_TRUE(shownChecked(next.pageWindow()));
  EXPECT_EQ(recordSearch("mnuTitle", 5), kEverySpelling);

  // A choice that cannot be kept holds for the run, and a box says so.
  tp.settings.keeps = false;
  tp.dialogs.clearLog();
  tp.dialogs.answer(Answer::Ok);
  item(next.recordWindow(), "mnuForgiving")->trigger();
  EXPECT_FALSE(shownChecked(next.recordWindow()));
  EXPECT_TRUE(tp.dialogs.messageTexts().value(0).startsWith(u"Η επιλογή «Χωρίς τόνους και κεφαλαία» ισχύει μέχρι"_s));
}

INSTANTIATE_TEST_SUITE_P(BothEditions, ForgivingSearchTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Students" : "Librarian"; });

}  // namespace
