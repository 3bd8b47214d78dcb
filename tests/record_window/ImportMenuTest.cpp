#include "RecordWindowFixture.h"
#include "import_command/CatalogueImportCommand.h"
#include "support/CatalogueTestFiles.h"
#include "support/ImportTestFiles.h"

using namespace Qt::StringLiterals;

namespace {

// A record window with the librarian's import.
class ImportWindowTest : public RecordWindowTest {
 protected:
  void openWithImport() {
    platform.importer = &importer;
    open();
  }
  // A table of the six fields whose proposed columns the librarian accepts, adding `books`.
  void importBooks(const QList<QStringList>& books) {
    QStringList lines{u"Συγγραφέας;Μεταφραστής;Τίτλος;Εκδότης;Βιβλιάριθμος;Δανειζόμενος"_s};
    for (const QStringList& fields : books) lines.append(fields.join(u';'));
    const QString path = writeGreekExcelCsv(catalogue.dir() + u"/βιβλία.csv"_s, lines);
    platform.dialogs.chooseToOpen(path).acceptProposedColumns();
    platform.dialogs.answer(Dialogs::Answer::Ok);
    item("mnuImport")->trigger();
  }

  CatalogueImportCommand importer;
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

namespace {

// A record window with the librarian's real import, and Greek Excel's CSV:
// ";" between cells, Windows-1253, CR LF.
class RealImportTest : public RecordWindowTest {
 protected:
  void SetUp() override { platform.importer = &importer; }
  QString greekExcelCsv(const QStringList& lines) {
    return writeGreekExcelCsv(catalogue.dir() + u"/βιβλία.csv"_s, lines);
  }
  // Imports with the proposed columns, answering the boxes that follow in turn.
  void importFrom(const QString& path, std::initializer_list<Dialogs::Answer> answers) {
    platform.dialogs.chooseToOpen(path).acceptProposedColumns();
    for (Dialogs::Answer a : answers) platform.dialogs.answer(a);
    item("mnuImport")->trigger();
  }

  CatalogueImportCommand importer;
};

}  // namespace

TEST_F(RealImportTest, AGreekExcelListGoesInAsShownAndTheCaptionCountsIt) {
  catalogue.setRecords({book(u"Α"_s), book(u"Β"_s)});
  open();
  const QString csv = greekExcelCsv({u"Τίτλος;Συγγραφέας;Βιβλιάριθμος"_s, u"Επιτάφιος;Ρίτσος, Γιάννης;2001"_s,
                                     u"Ποιήματα;Σεφέρης, Γιώργος   ;2002"_s, u";;"_s});
  importFrom(csv, {Dialogs::Answer::Ok});

  EXPECT_EQ(platform.dialogs.messageTexts(), QStringList{u"Προστέθηκαν 2 εγγραφές, με κωδικούς 3 έως 4."_s});
  EXPECT_EQ(caption(), recordCaption(1, 4));
  const Dialogs::ColumnsQuestion& asked = platform.dialogs.columnQuestions().first();
  EXPECT_TRUE(asked.seen.contains(u"Windows-1253"_s)) << asked.seen.toStdString();
  EXPECT_TRUE(asked.firstRowIsHeader);
  EXPECT_EQ(asked.columnsOfField, (QList<QList<int>>{{1}, {}, {0}, {}, {2}, {}}));
  // The preview shows each cell as the field will hold it.
  EXPECT_EQ(asked.stored({asked.rows[1][1]}, 0).text, u"Σεφέρης, Γιώργος"_s);
  EXPECT_EQ(catalogue.bytes().mid(2 * CatalogueRecord::kLength),
            recordWithFields({u"Ρίτσος, Γιάννης"_s, {}, u"Επιτάφιος"_s, {}, u"2001"_s}) +
                recordWithFields({u"Σεφέρης, Γιώργος"_s, {}, u"Ποιήματα"_s, {}, u"2002"_s}));
}

TEST_F(RealImportTest, CancelInTheProgressBoxLeavesTheCatalogueByteForByte) {
  catalogue.setRecords({book(u"Α"_s)});
  const QByteArray before = catalogue.bytes();
  open();
  QStringList lines{u"Τίτλος;Συγγραφέας"_s};
  for (int i = 0; i < 3000; ++i) lines.append(u"Τίτλος %1;Συγγραφέας %1"_s.arg(i));
  // The second box, the import's; the first stands while the file is read.
  platform.dialogs.cancelProgressAt(1, 2);
  importFrom(greekExcelCsv(lines), {Dialogs::Answer::Ok});

  EXPECT_EQ(platform.dialogs.messageTexts(),
            QStringList{u"Η εισαγωγή ακυρώθηκε· δεν προστέθηκε καμία εγγραφή στον κατάλογο."_s});
  EXPECT_EQ(catalogue.bytes(), before);
  EXPECT_EQ(caption(), recordCaption(1, 1));
  // The window still writes where it did.
  platform.dialogs.answer(Dialogs::Answer::Ok);
  click("cmdCorrect");
  EXPECT_EQ(catalogue.bytes(), before);
}

TEST_F(RealImportTest, ARepeatedBookNumberIsAskedAboutNoWritesNothingYesImports) {
  catalogue.setRecords({{u"Καζαντζάκης"_s, {}, u"Ζορμπάς"_s, {}, u"1001 Πεζογραφία"_s}});
  const QByteArray before = catalogue.bytes();
  open();
  const QString csv = greekExcelCsv({u"Τίτλος;Βιβλιάριθμος"_s, u"Ο Καπετάν Μιχάλης;1001"_s, u"Αναφορά;1002"_s});

  importFrom(csv, {Dialogs::Answer::No, Dialogs::Answer::Ok});
  ASSERT_EQ(platform.dialogs.messages().size(), 2);
  EXPECT_TRUE(platform.dialogs.messages()[0].text.contains(u"1001"_s))
      << platform.dialogs.messages()[0].text.toStdString();
  EXPECT_EQ(platform.dialogs.messages()[1].text,
            u"Δεν προστέθηκε καμία εγγραφή· ο κατάλογος «Zelkor.dat» έμεινε όπως ήταν."_s);
  EXPECT_EQ(catalogue.bytes(), before);

  platform.dialogs.clearLog();
  importFrom(csv, {Dialogs::Answer::Yes, Dialogs::Answer::Ok});
  EXPECT_EQ(platform.dialogs.messageTexts().last(), u"Προστέθηκαν 2 εγγραφές, με κωδικούς 2 έως 3."_s);
  EXPECT_EQ(catalogue.fieldsOf(2)[2].trimmed(), u"Ο Καπετάν Μιχάλης"_s);
  EXPECT_EQ(caption(), recordCaption(1, 3));
}

// A school's list as it comes: publisher and year in two columns, the
// borrower and the return date too, and a totals row under the books.
TEST_F(RealImportTest, ColumnsJoinedForOneFieldAndATotalsRowLeftOutWhenAsked) {
  open();
  const QString csv = greekExcelCsv({u"Α/Α;Τίτλος;Εκδότης;Έτος;Δανειστής;Ημ. επιστροφής"_s,
                                     u"1;Ζορμπάς;Καζαντζάκη;1946;Παπαδόπουλος Γ.;15/12/2026"_s,
                                     u"2;Ρωμιοσύνη;Κέδρος;1966;;"_s, u"Σύνολο βιβλίων: 2;;;;;"_s});
  platform.dialogs.chooseToOpen(csv).answerColumns(
      Dialogs::ColumnChoice{{{}, {}, {1}, {2, 3}, {}, {4, 5}}, true, {}, 0});
  platform.dialogs.answer(Dialogs::Answer::Yes).answer(Dialogs::Answer::Ok);
  item("mnuImport")->trigger();

  const Dialogs::ColumnsQuestion& asked = platform.dialogs.columnQuestions().first();
  EXPECT_EQ(asked.rowCount, 3);
  EXPECT_EQ(asked.stored({u"Καζαντζάκη"_s, u"1946"_s}, 3).text, u"Καζαντζάκη, 1946"_s) << "joined as the tool joins";
  ASSERT_EQ(platform.dialogs.messageTexts().size(), 2);
  EXPECT_TRUE(platform.dialogs.messageTexts()[0].contains(u"σειρά 4: Σύνολο βιβλίων: 2"_s));
  EXPECT_EQ(platform.dialogs.messageTexts()[1], u"Προστέθηκαν 2 εγγραφές, με κωδικούς 1 έως 2."_s);
  EXPECT_EQ(catalogue.bytes(),
            recordWithFields({{}, {}, u"Ζορμπάς"_s, u"Καζαντζάκη, 1946"_s, {}, u"Παπαδόπουλος Γ. 15/12/2026"_s}) +
                recordWithFields({{}, {}, u"Ρωμιοσύνη"_s, u"Κέδρος, 1966"_s}));
}
