#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <stdexcept>
#include <thread>

#include "catalogue/CatalogueFile.h"
#include "editions/Edition.h"
#include "import_command/WorkOffThread.h"
#include "support/FakeImportEngine.h"
#include "support/PrintQString.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"
#include "transfer/table/TableColumns.h"

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Entry::Kind;
using Status = ImportResult::Status;

namespace {

class ImportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cat.setRecords({{u"Ρίτσος, Γιάννης"_s}});
    ASSERT_TRUE(file.open(cat.path()));
  }
  void TearDown() override { EXPECT_EQ(tp.dialogs.pending(), 0) << "scripted answers left unused"; }

  CatalogueImporter::Added importNow() {
    return CatalogueImportCommand(fake.engine()).importCatalogue(file, tp.dialogs, Edition::librarian().productTitle());
  }
  // A table of three columns whose header names the title and the author.
  void showTable() {
    fake.shown.kind = ImportPreview::Kind::Table;
    fake.shown.seen = u"CSV, Windows-1253, «;»"_s;
    fake.shown.header = {u"Τίτλος"_s, u"Σημείωση"_s, u"Συγγραφέας"_s};
    fake.shown.headerRecognised = true;
    fake.shown.columns = {2, kNoColumn, 0};
    fake.shown.rows = {{u"Επιτάφιος"_s, u"-"_s, u"Ρίτσος, Γιάννης"_s}};
  }
  void books(int count) {
    fake.books.clear();
    for (int i = 0; i < count; ++i) fake.books.append({u"Συγγραφέας %1"_s.arg(i)});
  }
  QString lastMessage() const { return tp.dialogs.messageTexts().value(tp.dialogs.messageTexts().size() - 1); }

  TempCatalogue cat;
  TestPlatform tp;
  CatalogueFile file;
  FakeImportEngine fake;
  const QString input = u"/σχολείο/βιβλία.csv"_s;
};

}  // namespace

TEST_F(ImportCommandTest, ATableGoesThroughTheColumnChoiceAndTheBoxNamesTheCodesAdded) {
  showTable();
  books(12);
  fake.results = {ImportResult()};
  // The librarian moves the note column into the publication field and says the first row is data.
  tp.dialogs.chooseToOpen(input).answerColumns(Dialogs::ColumnChoice{{{2}, {}, {0}, {1}, {}, {}}, false, {}, 0});
  tp.dialogs.answer(Dialogs::Answer::Ok);
  const CatalogueImporter::Added added = importNow();
  EXPECT_EQ(added.first, 2);
  EXPECT_EQ(added.count, 12);

  const QList<ScriptedDialogs::Entry> log = tp.dialogs.log();
  ASSERT_EQ(log.size(), 5);
  EXPECT_EQ(log[0].kind, Kind::OpenFile);
  EXPECT_EQ(log[0].title, u"Σ-Zelkor 3.2: Εισαγωγή καταλόγου"_s);
  EXPECT_EQ(log[0].text, cat.dir()) << "opens where the catalogue is";
  EXPECT_EQ(log[0].filters.first(), u"Καταλόγοι και πίνακες (*.csv *.txt *.xlsx *.ods *.xls *.mrc *.xml *.dat)"_s);
  // The file is read, like the import, under a progress box beside the window.
  EXPECT_EQ(log[1].kind, Kind::Progress);
  EXPECT_EQ(log[1].text, u"Ανάγνωση του «βιβλία.csv»…"_s);
  EXPECT_EQ(log[2].kind, Kind::Columns);
  EXPECT_EQ(log[3].kind, Kind::Progress);
  EXPECT_EQ(log[3].text, u"Εισαγωγή από το «βιβλία.csv»…"_s);
  EXPECT_EQ(log[4].text, u"Προστέθηκαν 12 εγγραφές, με κωδικούς 2 έως 13."_s);
  EXPECT_EQ(log[4].icon, Dialogs::Icon::Information);
  EXPECT_EQ(log[4].title, u"Σ-Zelkor 3.2"_s);

  // The dialog was shown the proposal by field; the import got the choice by column.
  const Dialogs::ColumnsQuestion& asked = tp.dialogs.columnQuestions().first();
  EXPECT_EQ(asked.file, u"βιβλία.csv"_s);
  EXPECT_EQ(asked.seen, u"CSV, Windows-1253, «;»"_s);
  EXPECT_EQ(asked.columnsOfField, (QList<QList<int>>{{2}, {}, {0}, {}, {}, {}}));
  EXPECT_TRUE(asked.firstRowIsHeader);
  EXPECT_EQ(asked.firstRow, fake.shown.header);
  EXPECT_EQ(asked.rows, fake.shown.rows);
  ASSERT_EQ(fake.imports.size(), 1);
  EXPECT_EQ(fake.imports[0].columns, (QList<int>{2, 3, 0}));
  EXPECT_EQ(fake.imports[0].firstRow, FirstRow::Data);
  EXPECT_FALSE(fake.imports[0].allowRepeats);
  EXPECT_EQ(file.recordCount(), 13);
}

TEST_F(ImportCommandTest, AColumnNoFieldTookIsLeftOutUnlessItHoldsTheCodes) {
  showTable();
  fake.shown.columns = {kCodeColumn, 2, 0};
  books(1);
  fake.results = {ImportResult()};
  tp.dialogs.chooseToOpen(input).answerColumns(Dialogs::ColumnChoice{{{}, {}, {1}, {}, {}, {}}, true, {}, 0});
  tp.dialogs.answer(Dialogs::Answer::Ok);
  importNow();
  ASSERT_EQ(fake.imports.size(), 1);
  EXPECT_EQ(fake.imports[0].columns, (QList<int>{kCodeColumn, 2, kNoColumn}));
  EXPECT_EQ(fake.imports[0].firstRow, FirstRow::Header);
  EXPECT_EQ(lastMessage(), u"Προστέθηκε 1 εγγραφή, με κωδικό 2."_s);
}

TEST_F(ImportCommandTest, TheDoneBoxWordsNoneAndListsTheCutsWithHowManyMore) {
  fake.shown.kind = ImportPreview::Kind::Records;
  fake.shown.records = 3;
  QStringList cuts;
  for (int i = 1; i <= 12; ++i) cuts.append(u"εγγραφή %1: ο τίτλος κόπηκε"_s.arg(i));
  fake.results = {FakeImportEngine::resultOf(Status::Done, cuts, 5)};
  tp.dialogs.chooseToOpen(input).answer(Dialogs::Answer::Yes).answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 0);
  const QStringList lines = lastMessage().split(u"\r\n"_s);
  ASSERT_EQ(lines.size(), 13);
  EXPECT_EQ(lines[0], u"Δεν προστέθηκε καμία εγγραφή: το αρχείο δεν είχε βιβλία."_s);
  EXPECT_EQ(lines[1], u"Κόπηκαν όσα δεν χωρούσαν:"_s);
  EXPECT_EQ(lines[2], cuts[0]);
  EXPECT_EQ(lines[12], u"… και άλλες 7."_s) << "the two not listed and the five not kept";
}

TEST_F(ImportCommandTest, MarcOrACatalogueIsConfirmedByItsCountAndNoAddsNothing) {
  fake.shown.kind = ImportPreview::Kind::Records;
  fake.shown.seen = u"MARC21"_s;
  fake.shown.records = 25;
  tp.dialogs.chooseToOpen(u"/σχολείο/βιβλία.mrc"_s).answer(Dialogs::Answer::No);
  EXPECT_EQ(importNow().count, 0);
  const QList<ScriptedDialogs::Entry> boxes = tp.dialogs.messages();
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(boxes[0].text,
            u"Το αρχείο «βιβλία.mrc» (MARC21) έχει 25 εγγραφές. Να προστεθούν στο τέλος του καταλόγου;"_s);
  EXPECT_EQ(boxes[0].buttons, Dialogs::Buttons::YesNo);
  EXPECT_EQ(boxes[0].icon, Dialogs::Icon::Question);
  EXPECT_TRUE(fake.imports.isEmpty());
}

TEST_F(ImportCommandTest, RepeatedBookNumbersAreListedFirstNoStopsAndYesGoesOnAllowingThem) {
  showTable();
  books(2);
  QStringList repeats;
  for (int i = 1; i <= 11; ++i) repeats.append(u"σειρά %1: ο αριθμός %1 υπάρχει ήδη"_s.arg(i + 1));

  fake.results = {FakeImportEngine::resultOf(Status::Repeats, repeats)};
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::No);
  EXPECT_EQ(importNow().count, 0);
  ASSERT_EQ(tp.dialogs.messages().size(), 1) << "No ends it without another box";
  const ScriptedDialogs::Entry question = tp.dialogs.messages()[0];
  EXPECT_EQ(question.defaultButton, Dialogs::Answer::No);
  const QStringList lines = question.text.split(u"\r\n"_s);
  ASSERT_EQ(lines.size(), 13);
  EXPECT_EQ(lines[0], u"Αυτοί οι αριθμοί βιβλίων υπάρχουν ήδη στον κατάλογο ή επαναλαμβάνονται στο αρχείο:"_s);
  EXPECT_EQ(lines[10], repeats[9]);
  EXPECT_EQ(lines[11], u"… και άλλες 1."_s);
  EXPECT_EQ(lines[12], u"Να προστεθούν τα βιβλία και έτσι;"_s);
  EXPECT_EQ(file.recordCount(), 1);

  tp.dialogs.clearLog();
  fake.imports.clear();
  fake.results = {FakeImportEngine::resultOf(Status::Repeats, repeats), ImportResult()};
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::Yes).answer(Dialogs::Answer::Ok);
  EXPECT_EQ(importNow().count, 2);
  ASSERT_EQ(fake.imports.size(), 2);
  EXPECT_FALSE(fake.imports[0].allowRepeats);
  EXPECT_TRUE(fake.imports[1].allowRepeats);
  EXPECT_EQ(fake.imports[1].columns, fake.imports[0].columns) << "the librarian's choice holds for the retry";
  EXPECT_EQ(lastMessage(), u"Προστέθηκαν 2 εγγραφές, με κωδικούς 2 έως 3."_s);
}

TEST_F(ImportCommandTest, EveryOtherEndSaysWhyAndThatNothingWasAdded) {
  struct Case {
    ImportPreview::Kind kind;
    ImportResult result;
    QString said;
    Dialogs::Icon icon;
  };
  const QList<Case> cases{
      {ImportPreview::Kind::Table, FakeImportEngine::resultOf(Status::Cancelled),
       u"Η εισαγωγή ακυρώθηκε· δεν προστέθηκε καμία εγγραφή στον κατάλογο."_s, Dialogs::Icon::Information},
      {ImportPreview::Kind::Table,
       FakeImportEngine::resultOf(Status::Refused, {u"σειρά 2: ο τίτλος είναι μεγαλύτερος από 100 χαρακτήρες"_s}),
       u"Η εισαγωγή από το «βιβλία.csv» δεν έγινε· ο κατάλογος «Zelkor.dat» έμεινε όπως ήταν:\r\n"
       u"σειρά 2: ο τίτλος είναι μεγαλύτερος από 100 χαρακτήρες"_s,
       Dialogs::Icon::Exclamation},
      {ImportPreview::Kind::Table, FakeImportEngine::resultOf(Status::Failed, {u"Ο δίσκος είναι γεμάτος."_s}),
       u"Ο δίσκος είναι γεμάτος."_s, Dialogs::Icon::Exclamation},
      {ImportPreview::Kind::Unreadable, ImportResult(), u"Το αρχείο «βιβλία.csv» δεν διαβάζεται."_s,
       Dialogs::Icon::Exclamation},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said.toStdString());
    showTable();
    fake.shown.kind = c.kind;
    fake.shown.error = u"Το αρχείο «βιβλία.csv» δεν διαβάζεται."_s;
    fake.results = {c.result};
    books(3);
    tp.dialogs.clearLog();
    tp.dialogs.chooseToOpen(input);
    if (c.kind == ImportPreview::Kind::Table) tp.dialogs.acceptProposedColumns();
    tp.dialogs.answer(Dialogs::Answer::Ok);
    EXPECT_EQ(importNow().count, 0);
    ASSERT_EQ(tp.dialogs.messages().size(), 1);
    EXPECT_EQ(tp.dialogs.messages()[0].text, c.said);
    EXPECT_EQ(tp.dialogs.messages()[0].icon, c.icon);
    EXPECT_EQ(file.recordCount(), 1);
  }
}

TEST_F(ImportCommandTest, SeveralColumnsGoToOneFieldAndTotalsRowsAreAskedAbout) {
  showTable();
  fake.shown.totalsNumbers = {9, 12};
  fake.shown.totalsTexts = {u"Σύνολο βιβλίων: 18"_s, u"Γενικό σύνολο | 20"_s};
  books(2);
  fake.results = {ImportResult(), ImportResult()};
  // Title and note into the title field; nothing after row 10: only row 9 is asked about.
  tp.dialogs.chooseToOpen(input).answerColumns(Dialogs::ColumnChoice{{{2}, {}, {0, 1}, {}, {}, {}}, true, {}, 10});
  tp.dialogs.answer(Dialogs::Answer::Yes).answer(Dialogs::Answer::Ok);
  importNow();
  ASSERT_EQ(fake.imports.size(), 1);
  EXPECT_EQ(fake.imports[0].columns, (QList<int>{2, 2, 0}));
  EXPECT_EQ(fake.imports[0].lastRow, 10);
  EXPECT_EQ(fake.imports[0].leftOutRows, QList<int>{9});
  const ScriptedDialogs::Entry asked = tp.dialogs.messages().first();
  EXPECT_EQ(asked.text,
            u"Αυτή η σειρά του «βιβλία.csv» μοιάζει με σύνολο ή σημείωση και όχι με βιβλίο:\r\n"
            u"σειρά 9: Σύνολο βιβλίων: 18\r\nΝα μείνει έξω από την εισαγωγή;"_s);
  EXPECT_EQ(asked.buttons, Dialogs::Buttons::YesNoCancel);

  // No keeps the rows as books; Cancel adds nothing.
  tp.dialogs.clearLog();
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::No).answer(Dialogs::Answer::Ok);
  importNow();
  ASSERT_EQ(fake.imports.size(), 2);
  EXPECT_TRUE(fake.imports[1].leftOutRows.isEmpty());
  EXPECT_TRUE(tp.dialogs.messages().first().text.startsWith(u"Αυτές οι σειρές"_s));
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::Cancel);
  importNow();
  EXPECT_EQ(fake.imports.size(), 2);
}

TEST_F(ImportCommandTest, AnotherSheetIsReadWhenChosenAndImportedFromThere) {
  showTable();
  fake.shown.sheets = {u"Οδηγίες"_s, u"Βιβλία"_s};
  fake.shown.sheet = u"Οδηγίες"_s;
  ImportPreview books = fake.shown;
  books.sheet = u"Βιβλία"_s;
  books.header = {u"Συγγραφέας"_s};
  books.columns = {0};
  fake.sheetShown.insert(u"Βιβλία"_s, books);
  fake.results = {ImportResult()};
  tp.dialogs.chooseToOpen(input).answerColumns(Dialogs::ColumnChoice{{{0}, {}, {}, {}, {}, {}}, true, u"Βιβλία"_s, 0});
  tp.dialogs.answer(Dialogs::Answer::Ok);
  importNow();
  ASSERT_EQ(fake.previews.size(), 2);
  EXPECT_EQ(fake.previews[1].sheet, u"Βιβλία"_s);
  ASSERT_EQ(tp.dialogs.columnQuestions().size(), 2);
  EXPECT_EQ(tp.dialogs.columnQuestions()[1].firstRow, QStringList{u"Συγγραφέας"_s});
  EXPECT_EQ(tp.dialogs.columnQuestions()[1].sheets, fake.shown.sheets);
  ASSERT_EQ(fake.imports.size(), 1);
  EXPECT_EQ(fake.imports[0].sheet, u"Βιβλία"_s);
  EXPECT_EQ(fake.imports[0].columns, (QList<int>{0, kNoColumn, kNoColumn}));
}

TEST_F(ImportCommandTest, TheOpenDialogReturnsToTheFolderOfTheFileChosenLast) {
  showTable();
  CatalogueImportCommand same(fake.engine());
  auto importWith = [&](CatalogueImportCommand& c) {
    return c.importCatalogue(file, tp.dialogs, Edition::librarian().productTitle());
  };
  tp.dialogs.chooseToOpen(input).answerColumns(std::nullopt);
  importWith(same);
  tp.dialogs.chooseToOpen(QString());
  importWith(same);
  tp.dialogs.chooseToOpen(QString());
  importWith(same);
  QStringList folders;
  for (const ScriptedDialogs::Entry& entry : tp.dialogs.log())
    if (entry.kind == Kind::OpenFile) folders.append(entry.text);
  EXPECT_EQ(folders, (QStringList{cat.dir(), u"/σχολείο"_s, u"/σχολείο"_s}));
}

namespace {

// A box whose Cancel is pressed after a few waits.
class CancelledProgress : public Dialogs::Progress {
 public:
  bool advance(qint64, qint64) override { return true; }
  bool keepWaiting() override { return ++waits < 3; }
  int waits = 0;
};

}  // namespace

// A reader stuck inside one cell never reaches its next step: Cancel leaves
// it to end on its own, and the window goes on at once.
TEST_F(ImportCommandTest, CancelLeavesAReadStuckInsideAFileAndTheWindowGoesOn) {
  auto stuck = std::make_shared<std::promise<void>>();
  std::shared_future<void> released = stuck->get_future().share();
  CancelledProgress progress;
  auto told = std::make_shared<std::atomic<bool>>(true);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(workOffThread(progress, true, [released, told](const ImportProgress& step) {
    released.wait();
    *told = step(1, 0);
  }));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
  EXPECT_EQ(progress.waits, 3);
  stuck->set_value();
  // Left, the work hears at its next step that nobody listens.
  for (int i = 0; i < 200 && *told; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_FALSE(*told);
}

// An import is waited for after Cancel, since it must undo what it wrote;
// every step reaches the box in order, and the last one takes Cancel away.
TEST_F(ImportCommandTest, AnImportOffTheWindowsThreadTellsEveryStepAndIsWaitedFor) {
  struct Steps : Dialogs::Progress {
    bool advance(qint64 done, qint64 total) override {
      seen.append({done, total});
      return done < 2;
    }
    void withoutCancel() override { ++closed; }
    QList<std::pair<qint64, qint64>> seen;
    int closed = 0;
  } steps;
  QList<bool> answers;
  EXPECT_TRUE(workOffThread(steps, false, [&](const ImportProgress& step) {
    for (qint64 done = 1; done <= 3; ++done) answers.append(step(done, 0));
  }));
  EXPECT_EQ(answers, (QList<bool>{true, false, false}));
  EXPECT_EQ(steps.seen.size(), 3);

  Steps last;
  EXPECT_TRUE(workOffThread(last, false, [](const ImportProgress& step) { step(1, 1); }));
  EXPECT_EQ(last.closed, 1);
  EXPECT_THROW(workOffThread(last, false, [](const ImportProgress&) { throw std::runtime_error("x"); }),
               std::runtime_error);
}
