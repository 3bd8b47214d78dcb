// The window's import with the engine answered from a script: several columns
// for one field, totals rows, another sheet and the last folder.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "catalogue/file/CatalogueFile.h"
#include "editions/Edition.h"
#include "support/FakeImportEngine.h"
#include "support/PrintQString.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"
#include "transfer/table/TableColumns.h"

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Entry::Kind;
using Status = ImportResult::Status;

namespace {

class WindowImportTest : public ::testing::Test {
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

TEST_F(WindowImportTest, SeveralColumnsGoToOneFieldAndTotalsRowsAreAskedAbout) {
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

TEST_F(WindowImportTest, AnotherSheetIsReadWhenChosenAndImportedFromThere) {
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

TEST_F(WindowImportTest, TheOpenDialogReturnsToTheFolderOfTheFileChosenLast) {
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
  // The folder as the system spells it (Z:/σχολείο under Wine).
  const QString folder = QFileInfo(input).absolutePath();
  EXPECT_EQ(folders, (QStringList{cat.dir(), folder, folder}));
}
