// The window's own steps over the real engine and files made here: several
// columns for one field, totals rows, another sheet, the last folder, and
// the reading and the import beside the window.
#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <atomic>
#include <future>
#include <memory>

#include "catalogue/file/CatalogueFile.h"
#include "catalogue/file/ImportJournal.h"
#include "editions/Edition.h"
#include "support/ImportTestFiles.h"
#include "support/PrintQString.h"
#include "support/RecordingImportEngine.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"
#include "transfer/ReadingStop.h"
#include "transfer/table/TableColumns.h"

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Entry::Kind;

namespace {

class WindowImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cat.setRecords({{u"Ρίτσος, Γιάννης"_s}});
    before = cat.bytes();
    ASSERT_TRUE(file.open(cat.path()));
  }
  void TearDown() override { EXPECT_EQ(tp.dialogs.pending(), 0) << "scripted answers left unused"; }

  CatalogueImporter::Added importNow() {
    return command.importCatalogue(file, tp.dialogs, Edition::librarian().productTitle());
  }
  QString inDir(const QString& name) const { return cat.dir() + u'/' + name; }
  // Books under a header naming the title, a note and the author, with a
  // totals row at 4 and another at the end, row 6.
  QString booksWithTotals() {
    return writeGreekExcelCsv(
        inDir(u"βιβλία.csv"_s),
        {u"Τίτλος;Σημείωση;Συγγραφέας"_s, u"Επιτάφιος;α΄ έκδοση;Ρίτσος, Γιάννης"_s, u"Ρωμιοσύνη;;Ρίτσος, Γιάννης"_s,
         u"Σύνολο βιβλίων: 2;;"_s, u"Ποιήματα;;Σεφέρης, Γιώργος"_s, u"Γενικό σύνολο;;3"_s});
  }
  // A workbook whose first sheet holds instructions and whose second the books.
  QString workbookOfTwoSheets() {
    const QString path = inDir(u"βιβλία.xlsx"_s);
    // The library's own 8-bit file calls cannot take every name on Windows:
    // the workbook is made under a plain name and then given its own.
    const QString plain = inDir(u"made.xlsx"_s);
    lxw_workbook* book = workbook_new(QFile::encodeName(plain).constData());
    lxw_worksheet* notes = workbook_add_worksheet(book, "Οδηγίες");
    worksheet_write_string(notes, 0, 0, "Γράψτε τα βιβλία στο δεύτερο φύλλο", nullptr);
    lxw_worksheet* books = workbook_add_worksheet(book, "Βιβλία");
    worksheet_write_string(books, 0, 0, "Συγγραφέας", nullptr);
    worksheet_write_string(books, 1, 0, "Σεφέρης, Γιώργος", nullptr);
    EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
    EXPECT_TRUE(QFile::rename(plain, path));
    return path;
  }
  QString lastMessage() const { return tp.dialogs.messageTexts().value(tp.dialogs.messageTexts().size() - 1); }

  TempCatalogue cat;
  QByteArray before;
  TestPlatform tp;
  CatalogueFile file;
  RecordingImportEngine engine;
  CatalogueImportCommand command{engine.engine()};
};

}  // namespace

TEST_F(WindowImportTest, SeveralColumnsGoToOneFieldAndTotalsRowsAreAskedAbout) {
  const QString input = booksWithTotals();
  // Title and note into the title field; nothing after row 5: only row 4 is asked about.
  tp.dialogs.chooseToOpen(input).answerColumns(Dialogs::ColumnChoice{{{2}, {}, {0, 1}, {}, {}, {}}, true, {}, 5});
  tp.dialogs.answer(Dialogs::Answer::Yes).answer(Dialogs::Answer::Ok);
  importNow();
  ASSERT_EQ(engine.imports.size(), 1);
  EXPECT_EQ(engine.imports[0].columns, (QList<int>{2, 2, 0}));
  EXPECT_EQ(engine.imports[0].leftOutRows, QList<int>{4});
  const ScriptedDialogs::Entry asked = tp.dialogs.messages().first();
  EXPECT_EQ(asked.text,
            u"Αυτή η σειρά του «βιβλία.csv» μοιάζει με σύνολο ή σημείωση και όχι με βιβλίο:\r\n"
            u"σειρά 4: Σύνολο βιβλίων: 2\r\nΝα μείνει έξω από την εισαγωγή;"_s);
  EXPECT_EQ(asked.buttons, Dialogs::Buttons::YesNoCancel);
  EXPECT_EQ(lastMessage(), u"Προστέθηκαν 3 εγγραφές, με κωδικούς 2 έως 4."_s);
  EXPECT_EQ(cat.bytes(), before + recordWithFields({u"Ρίτσος, Γιάννης"_s, {}, u"Επιτάφιος α΄ έκδοση"_s}) +
                             recordWithFields({u"Ρίτσος, Γιάννης"_s, {}, u"Ρωμιοσύνη"_s}) +
                             recordWithFields({u"Σεφέρης, Γιώργος"_s, {}, u"Ποιήματα"_s}));

  // Cancel adds nothing; No keeps both rows as books.
  const QByteArray once = cat.bytes();
  tp.dialogs.clearLog();
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::Cancel);
  importNow();
  EXPECT_TRUE(tp.dialogs.messages().first().text.startsWith(u"Αυτές οι σειρές"_s));
  EXPECT_EQ(engine.imports.size(), 1);
  EXPECT_EQ(cat.bytes(), once);
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::No).answer(Dialogs::Answer::Ok);
  importNow();
  ASSERT_EQ(engine.imports.size(), 2);
  EXPECT_TRUE(engine.imports[1].leftOutRows.isEmpty());
  EXPECT_EQ(lastMessage(), u"Προστέθηκαν 5 εγγραφές, με κωδικούς 5 έως 9."_s);
}

TEST_F(WindowImportTest, AnotherSheetIsReadWhenChosenAndImportedFromThere) {
  const QString input = workbookOfTwoSheets();
  tp.dialogs.chooseToOpen(input).answerColumns(Dialogs::ColumnChoice{{{0}, {}, {}, {}, {}, {}}, true, u"Βιβλία"_s, 0});
  tp.dialogs.answer(Dialogs::Answer::Ok);
  importNow();
  ASSERT_EQ(tp.dialogs.columnQuestions().size(), 2) << lastMessage().toStdString();
  EXPECT_EQ(tp.dialogs.columnQuestions()[0].sheets, (QStringList{u"Οδηγίες"_s, u"Βιβλία"_s}));
  EXPECT_EQ(tp.dialogs.columnQuestions()[1].firstRow, QStringList{u"Συγγραφέας"_s});
  ASSERT_EQ(engine.imports.size(), 1);
  EXPECT_EQ(engine.imports[0].sheet, u"Βιβλία"_s);
  EXPECT_EQ(lastMessage(), u"Προστέθηκε 1 εγγραφή, με κωδικό 2."_s);
  EXPECT_EQ(cat.bytes(), before + recordWithFields({u"Σεφέρης, Γιώργος"_s}));
}

TEST_F(WindowImportTest, TheOpenDialogReturnsToTheFolderOfTheFileChosenLast) {
  ASSERT_TRUE(QDir(cat.dir()).mkdir(u"σχολείο"_s));
  const QString input = writeGreekExcelCsv(inDir(u"σχολείο/βιβλία.csv"_s), {u"Τίτλος"_s, u"Επιτάφιος"_s});
  tp.dialogs.chooseToOpen(input).answerColumns(std::nullopt);
  importNow();
  tp.dialogs.chooseToOpen(QString());
  importNow();
  tp.dialogs.chooseToOpen(QString());
  importNow();
  QStringList folders;
  for (const ScriptedDialogs::Entry& entry : tp.dialogs.log())
    if (entry.kind == Kind::OpenFile) folders.append(entry.text);
  // The folder as the system spells it (Z:/… under Wine).
  const QString folder = QFileInfo(input).absolutePath();
  EXPECT_EQ(folders, (QStringList{cat.dir(), folder, folder}));
  EXPECT_EQ(cat.bytes(), before);
}

// A school's files imported one after another in one program, each read
// and written beside the window: the program goes on, and ends, however many
// readings it has run (on Windows a reading's thread that ended could crash
// the program or keep it from ending).
TEST_F(WindowImportTest, ImportAfterImportRunsOnInOneProgram) {
  QStringList rows{u"Τίτλος;Βιβλιάριθμος"_s};
  for (int i = 0; i < 10; ++i) rows.append(u"Επιτάφιος;%1"_s.arg(QString::number(i).rightJustified(4, u'0')));
  const QString input = writeGreekExcelCsv(inDir(u"βιβλία.csv"_s), rows);
  for (int first = 2; first < 200; first += 10) {
    tp.dialogs.chooseToOpen(input).acceptProposedColumns();
    if (first > 2) tp.dialogs.answer(Dialogs::Answer::Yes);  // the same book numbers again
    tp.dialogs.answer(Dialogs::Answer::Ok);
    importNow();
    ASSERT_EQ(lastMessage(), u"Προστέθηκαν 10 εγγραφές, με κωδικούς %1 έως %2."_s.arg(first).arg(first + 9));
  }
  EXPECT_EQ(file.recordCount(), 201);
}

// One reader's call that does not return (FreeXL opening a slow xls): Cancel
// goes back to the window at once; that reading hears its stop, while the
// next one reads on to the end; the command waits for the first before it goes.
TEST_F(WindowImportTest, CancelLeavesAReadingStuckInOneCallAndTheNextReadingGoesOn) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  auto stopHeard = std::make_shared<std::atomic<int>>(0);  // 1 heard, 2 not
  // The first file sticks, whichever reading's thread comes to it first.
  const QString slow = writeGreekExcelCsv(inDir(u"αργό.csv"_s), {u"Τίτλος"_s, u"Επιτάφιος"_s});
  ImportEngine real = ImportEngine::real();
  ImportEngine stuck = real;
  stuck.preview = [=, preview = real.preview](const QString& input, const ImportOptions& options,
                                              const ImportProgress& told) {
    if (input != slow) return preview(input, options, told);
    released.wait();
    stopHeard->store(readingStopped() && !told(1, 0) ? 1 : 2);
    return ImportPreview();
  };
  const QString input = writeGreekExcelCsv(inDir(u"βιβλία.csv"_s), {u"Τίτλος"_s, u"Επιτάφιος"_s});
  {
    CatalogueImportCommand beside(stuck);
    tp.dialogs.cancelProgressWhileWaiting(3);
    tp.dialogs.chooseToOpen(slow);
    QElapsedTimer taken;
    taken.start();
    beside.importCatalogue(file, tp.dialogs, Edition::librarian().productTitle());
    EXPECT_LT(taken.elapsed(), 1000);
    EXPECT_TRUE(tp.dialogs.messages().isEmpty()) << "Cancel adds nothing and says nothing";
    EXPECT_FALSE(readingStopped()) << "only the reading left is stopped";

    tp.dialogs.cancelProgressWhileWaiting(0);
    tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::Ok);
    beside.importCatalogue(file, tp.dialogs, Edition::librarian().productTitle());
    EXPECT_EQ(lastMessage(), u"Προστέθηκε 1 εγγραφή, με κωδικό 2."_s);
    EXPECT_EQ(stopHeard->load(), 0) << "the first reading is still in its call";
    release.set_value();
  }
  EXPECT_EQ(stopHeard->load(), 1) << "waited for, and it heard its stop";
}

// The import stuck in one call after it has begun writing: Cancel makes the
// box say that it stops, the window's events go on meanwhile, and the
// command returns only once the call has ended and the import has undone
// its books and its journal.
TEST_F(WindowImportTest, CancelWaitsForAnImportStuckInOneCallToUndoItself) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  auto stuckNow = std::make_shared<std::atomic<bool>>(false);
  auto ended = std::make_shared<std::atomic<bool>>(false);
  ImportEngine stuck = ImportEngine::real();
  stuck.import = [=, import = stuck.import](const QString& input, CatalogueFile& into, const ImportOptions& options,
                                            const ImportProgress& told) {
    const ImportResult result = import(input, into, options, [&](qint64 done, qint64 total) {
      if (total > 0) return told(done, total);
      told(done, total);  // shown, then the call that takes long
      stuckNow->store(true);
      released.wait();
      return told(done, total);
    });
    ended->store(true);
    return result;
  };
  QStringList rows{u"Τίτλος"_s};
  for (int i = 0; i < 2000; ++i) rows.append(u"Βιβλίο %1"_s.arg(i));
  const QString input = writeGreekExcelCsv(inDir(u"βιβλία.csv"_s), rows);
  const QString journal = importjournal::pathFor(cat.path());

  // The window's own timer, heard only while its events go on.
  bool writingWhileStuck = false;
  bool endedWhileStuck = true;
  QTimer window;
  QObject::connect(&window, &QTimer::timeout, [&] {
    if (!stuckNow->load() || tp.dialogs.stoppings().isEmpty()) return;
    writingWhileStuck = QFileInfo::exists(journal);
    endedWhileStuck = ended->load();
    window.stop();
    release.set_value();
  });
  window.start(10);
  CatalogueImportCommand beside(stuck);
  tp.dialogs.cancelProgressAt(1, 2);  // the import's box, at the step before it sticks
  tp.dialogs.chooseToOpen(input).acceptProposedColumns().answer(Dialogs::Answer::Ok);
  beside.importCatalogue(file, tp.dialogs, Edition::librarian().productTitle());

  EXPECT_TRUE(writingWhileStuck) << "the import had begun writing when it stuck";
  EXPECT_FALSE(endedWhileStuck) << "the window's timer ran while the import was stuck";
  EXPECT_FALSE(window.isActive()) << "the stuck call was let go by the window's timer";
  EXPECT_TRUE(ended->load());
  EXPECT_EQ(tp.dialogs.stoppings(), QStringList{u"Η εισαγωγή σταματά· ό,τι γράφτηκε στον κατάλογο αναιρείται…"_s});
  EXPECT_EQ(lastMessage(), u"Η εισαγωγή ακυρώθηκε· δεν προστέθηκε καμία εγγραφή στον κατάλογο."_s);
  EXPECT_EQ(cat.bytes(), before);
  EXPECT_FALSE(QFileInfo::exists(journal));
  EXPECT_EQ(file.recordCount(), 1);
}
