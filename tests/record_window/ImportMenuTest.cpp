#include "RecordWindowFixture.h"
#include "support/FakeImportEngine.h"

using namespace Qt::StringLiterals;

namespace {

// A record window whose import answers from a script.
class ImportWindowTest : public RecordWindowTest {
 protected:
  void openWithImport() {
    platform.importer = &importer;
    open();
  }
  // A table whose proposed columns the librarian accepts, adding `books`.
  void importBooks(const QList<QStringList>& books) {
    fake.shown.kind = ImportPreview::Kind::Table;
    fake.shown.header = {u"Συγγραφέας"_s};
    fake.shown.columns = {0};
    fake.books = books;
    fake.results = {ImportResult()};
    platform.dialogs.chooseToOpen(catalogue.dir() + u"/βιβλία.csv"_s).acceptProposedColumns();
    platform.dialogs.answer(Dialogs::Answer::Ok);
    item("mnuImport")->trigger();
  }

  FakeImportEngine fake;
  CatalogueImportCommand importer{fake.engine()};
};

}  // namespace

TEST_F(ImportWindowTest, TheCaptionCountsTheNewRecordsAndTheRecordOnScreenKeepsItsTyping) {
  catalogue.setRecords({book(u"Α"_s), book(u"Β"_s), book(u"Γ"_s)});
  openWithImport();
  click("cmdNext");
  line("txtEpo")->setText(u"δεν καταχωρίστηκε"_s);
  importBooks({book(u"Δ"_s), book(u"Ε"_s)});

  EXPECT_EQ(platform.dialogs.messageTexts().last(), u"Προστέθηκαν 2 εγγραφές, με κωδικούς 4 έως 5."_s);
  EXPECT_EQ(caption(), recordCaption(2, 5));
  EXPECT_EQ(window->recordCount(), 5);
  EXPECT_EQ(line("txtEpo")->text(), u"δεν καταχωρίστηκε"_s);
  EXPECT_EQ(catalogue.fieldsOf(2).first().trimmed(), u"Β"_s) << "nothing saved on the way";
  click("cmdNext");
  click("cmdNext");
  click("cmdNext");
  EXPECT_EQ(line("txtEpo")->text(), u"Ε"_s);
}

// An empty catalogue shows a record 1 that is not stored; the import fills
// it, so leaving the program must not write the blank boxes over it.
TEST_F(ImportWindowTest, IntoAnEmptyCatalogueTheWindowShowsTheFirstBookAndLeavingKeepsIt) {
  catalogue.setBytes({});
  openWithImport();
  importBooks({book(u"Ρίτσος, Γιάννης"_s, u"Επιτάφιος"_s)});

  EXPECT_EQ(platform.dialogs.messageTexts().last(), u"Προστέθηκε 1 εγγραφή, με κωδικό 1."_s);
  EXPECT_EQ(caption(), recordCaption(1, 1));
  EXPECT_EQ(line("txtEpo")->text(), u"Ρίτσος, Γιάννης"_s);
  click("cmdExit");
  EXPECT_EQ(catalogue.fieldsOf(1)[2].trimmed(), u"Επιτάφιος"_s);
}
