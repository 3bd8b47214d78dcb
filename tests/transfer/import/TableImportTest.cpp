#include <xlsxwriter.h>

#include "TransferFixture.h"
#include "catalogue/Cp1253.h"
#include "catalogue/file/CatalogueFile.h"
#include "transfer/import/FieldText.h"
#include "transfer/import/Import.h"
#include "transfer/import/ImportPreview.h"
#include "transfer/table/TableColumns.h"
#include "transfer/table/TableReader.h"

namespace {

QByteArray utf16le(const QString& text) {
  QByteArray out("\xFF\xFE");
  for (const QChar c : text) out.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
  return out;
}

}  // namespace

// Tables as schools' spreadsheets save them, each checked against the catalogue bytes.
class TableImportTest : public TransferTest {
 protected:
  Run importFile(const QString& name, const QByteArray& bytes, const QStringList& options = {}) {
    writeAll(file(name), bytes);
    return run(QStringList{u"import"_s} + options + QStringList{file(name), cat.path()});
  }
  // Two books in the field order of the catalogue.
  const QByteArray kTwoBooks = rec({u"Ρίτσος, Γιάννης"_s, {}, u"Ρωμιοσύνη"_s, u"Κέδρος; 1966"_s, u"0042 Ποίηση"_s}) +
                               rec({u"Ελύτης, Οδυσσέας"_s, {}, u"Άξιον εστί"_s, u"Ίκαρος"_s, u"43 Ποίηση"_s});
};

TEST_F(TableImportTest, GreekExcelCsvInWindows1253WithSemicolonsAndEmptyTrailingRows) {
  const QString csv =
      u"Α/Α;Συγγραφέας;Τίτλος;Εκδότης;Βιβλιάριθμος\r\n"
      "1;Ρίτσος, Γιάννης;Ρωμιοσύνη;\"Κέδρος; 1966\";0042 Ποίηση\r\n"
      "2;Ελύτης, Οδυσσέας;Άξιον εστί;Ίκαρος;43 Ποίηση\r\n"
      ";;;;\r\n;;;;\r\n"_s;
  const Run r = importFile(u"βιβλία.csv"_s, cp1253::encode(csv));
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), kTwoBooks);
}

TEST_F(TableImportTest, Utf8WithOrWithoutMarkAnyOrderAnyCaseAndTheExportsOwnLabels) {
  // Excel's "CSV UTF-8" with the export's labels, one of which holds commas.
  const QString exportLabels =
      u"Κωδικός;ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ;ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ];"
      "ΕΚΔΟΤΙΚΑ ΣΤΟΙΧΕΙΑ: ΤΟΠΟΣ, ΟΙΚΟΣ, ΕΤΟΣ, ΕΚΔΟΣΗ, ΣΕΛΙΔΕΣ/ΤΟΜΟΙ;ΒΙΒΛΙΑΡΙΘΜΟΣ και ΘΕΜΑΤΟΛΟΓΙΑ\n"_s;
  const QString rows =
      u"1;Ρίτσος, Γιάννης;Ρωμιοσύνη;\"Κέδρος; 1966\";0042 Ποίηση\n2;Ελύτης, Οδυσσέας;Άξιον εστί;Ίκαρος;43 Ποίηση\n"_s;
  Run r = importFile(u"excel.csv"_s, "\xEF\xBB\xBF" + (exportLabels + rows).toUtf8());
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), kTwoBooks);

  // Title before author, in lower case without accents, punctuation around; no mark; the
  // book number and subject in two columns, joined.
  QFile::remove(cat.path());
  r = importFile(u"list.csv"_s,
                 u"\"τιτλος:\",  Συγγραφεας ,ΕΚΔΟΣΗ,αριθμός εισαγωγής,Θέμα\r\n"
                 "Ρωμιοσύνη,\"Ρίτσος, Γιάννης\",Κέδρος; 1966,0042,Ποίηση\r\n"
                 "Άξιον εστί,\"Ελύτης, Οδυσσέας\",Ίκαρος,43,Ποίηση\r\n,,,,\r\n"_s.toUtf8());
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), kTwoBooks);
}

TEST_F(TableImportTest, UnicodeTextFromExcelIsUtf16WithTabs) {
  const Run r = importFile(u"unicode.txt"_s, utf16le(u"Συγγραφέας\tΤίτλος\tΕκδότης\tΒιβλιάριθμος\r\n"
                                                     "Ρίτσος, Γιάννης\tΡωμιοσύνη\tΚέδρος; 1966\t0042 Ποίηση\r\n"
                                                     "Ελύτης, Οδυσσέας\tΆξιον εστί\tΊκαρος\t43 Ποίηση\r\n"_s));
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), kTwoBooks);
}

TEST_F(TableImportTest, AFileWithoutAHeaderNeedsColumnsByPosition) {
  const QByteArray rows = cp1253::encode(
      u"Ρωμιοσύνη;Ρίτσος, Γιάννης;ράφι 3;Κέδρος;1966;0042 Ποίηση\r\n"
      "Άξιον εστί;Ελύτης, Οδυσσέας;ράφι 4;Ίκαρος;;43 Ποίηση;;\r\n"_s);
  Run r = importFile(u"χωρίς.csv"_s, rows);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.contains(u"--columns"_s)) << r.err.toStdString();
  EXPECT_FALSE(cat.exists());

  // Two columns of one field are joined; "-" leaves the shelf out.
  r = importFile(u"χωρίς.csv"_s, rows, {u"--columns"_s, u"τίτλος, Συγγραφέας,-,Εκδότης,Έτος,Θέμα"_s});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), rec({u"Ρίτσος, Γιάννης"_s, {}, u"Ρωμιοσύνη"_s, u"Κέδρος, 1966"_s, u"0042 Ποίηση"_s}) +
                             kTwoBooks.mid(CatalogueRecord::kLength));

  r = run({u"import"_s, u"--columns"_s, u"Τίτλος,Ράφι"_s, file(u"χωρίς.csv"_s), cat.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.contains(u"«Ράφι»"_s)) << r.err.toStdString();
}

TEST_F(TableImportTest, TheExportWithoutItsMarkNamedTxtComesBackByteForByte) {
  const QByteArray books = kTwoBooks + rec({u"Καζαντζάκης, Νίκος"_s, u"Μετ. κανείς"_s, u"Ο Καπετάν Μιχάλης"_s,
                                            u"Αθήνα, \"Εκδόσεις\", 1953"_s, u"7 Μυθιστόρημα"_s, u"Π. Μαρία"_s});
  cat.setBytes(books);
  ASSERT_EQ(run({u"export"_s, u"--format"_s, u"csv"_s, cat.path(), file(u"out.csv"_s)}).status, 0);
  QFile exported(file(u"out.csv"_s));
  ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
  const QByteArray csv = exported.readAll();
  ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
  writeAll(file(u"list.dat"_s), csv.mid(3));
  QFile::remove(cat.path());
  // Not even its name says it is a table: its header does.
  const Run r = run({u"import"_s, file(u"list.dat"_s), cat.path()});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), books);
}

TEST_F(TableImportTest, RefusalsSayHowTheFileWasReadAndWhichNamesAreTaken) {
  const Run r = importFile(u"σχολείο.csv"_s, cp1253::encode(u"Τίτλος;Ράφι;Συγγραφέας\r\nΑ;3;Β\r\n"_s));
  EXPECT_EQ(r.status, 1);
  const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_GE(lines.size(), 5);
  EXPECT_EQ(lines[0], kKeptAsItWas.trimmed());
  EXPECT_EQ(lines[1], u"Το «σχολείο.csv» διαβάστηκε ως CSV, Windows-1253, διαχωριστικό «;»."_s);
  EXPECT_TRUE(lines[2].startsWith(u"σειρά 1: η στήλη «Ράφι» δεν είναι στήλη του καταλόγου"_s))
      << lines[2].toStdString();
  EXPECT_TRUE(r.err.contains(u"Βιβλιάριθμος, Αριθμός εισαγωγής"_s)) << r.err.toStdString();
  EXPECT_FALSE(cat.exists());
}

// The engine's three lists: a cut made before a refusal is no reason for it;
// letters without their accents only when asked, each field so written noted.
TEST_F(TableImportTest, CutsAndNotesAreKeptApartFromRefusalsAndAccentsGoOnlyWhenAsked) {
  const QByteArray csv = (u"Τίτλος;Συγγραφέας\r\n"_s + QString(101, u'Α') + u";Ж\r\nΒ;Saint-Exupéry\r\n"_s).toUtf8();
  const Run refused = importFile(u"in.csv"_s, csv, {u"--truncate"_s});
  EXPECT_EQ(refused.status, 1);
  EXPECT_FALSE(refused.err.contains(u"κόπηκε"_s)) << refused.err.toStdString();
  EXPECT_EQ(refused.err.count(u"δεν υπάρχει στη γραφή Windows-1253"_s), 2) << refused.err.toStdString();

  writeAll(file(u"in.csv"_s),
           (u"Τίτλος;Συγγραφέας\r\n"_s + QString(101, u'Α') + u";Ζ\r\nΒ;Saint-Exupéry\r\n"_s).toUtf8());
  CatalogueFile open;
  ASSERT_TRUE(open.open(cat.path()));
  ImportOptions options;
  options.truncate = true;
  ImportResult result = importIntoOpenCatalogue(file(u"in.csv"_s), open, options);
  ASSERT_EQ(result.status, ImportResult::Status::Refused);
  ASSERT_EQ(result.refusals.listed.size(), 2);
  const ImportReason& letter = result.refusals.listed[1];
  EXPECT_EQ(letter.code, ImportReason::Code::Unwritable);
  EXPECT_EQ(letter.character, u"é"_s);
  EXPECT_EQ(letter.folded, u"e"_s);
  EXPECT_TRUE(result.cuts.isEmpty() && result.notes.isEmpty());
  EXPECT_EQ(cat.bytes(), QByteArray());

  options.foldAccents = true;
  result = importIntoOpenCatalogue(file(u"in.csv"_s), open, options);
  ASSERT_EQ(result.status, ImportResult::Status::Done);
  ASSERT_EQ(result.cuts.listed.size(), 1);
  EXPECT_EQ(result.cuts.listed[0].lost, u"«Α»"_s);
  ASSERT_EQ(result.notes.listed.size(), 1);
  EXPECT_EQ(result.notes.listed[0].code, ImportReason::Code::Folded);
  EXPECT_EQ(result.notes.listed[0].folded, u"Saint-Exupery"_s);
  EXPECT_EQ(cat.bytes(), rec({u"Ζ"_s, {}, QString(100, u'Α')}) + rec({u"Saint-Exupery"_s, {}, u"Β"_s}));
}

TEST_F(TableImportTest, AFileThatTurnsFromUtf8ToAnotherCodePageIsRefusedWhereItDoes) {
  // The encoding is found from the first 64 KiB beyond ASCII: a later Windows-1253 cell is named, not misread.
  QByteArray csv = "Title;Subject\r\n";
  while (csv.size() < (1 << 17)) csv += "Book;History\r\n";
  const QByteArray latinFirst = csv + cp1253::encode(u"Ρωμιοσύνη;Ποίηση\r\n"_s);
  while (csv.size() < (1 << 18)) csv += "Βιβλίο;Ιστορία\r\n";
  csv += "Τέλος;" + cp1253::encode(u"Ιστορία"_s) + "\r\n";
  const QStringList columns{u"--columns"_s, u"Τίτλος,Θέμα"_s};
  Run r = importFile(u"latin.csv"_s, latinFirst, columns);
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(cat.bytes().right(CatalogueRecord::kLength), rec({{}, {}, u"Ρωμιοσύνη"_s, {}, u"Ποίηση"_s}));
  QFile::remove(cat.path());
  r = importFile(u"mixed.csv"_s, csv, columns);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.contains(u"κελί 2: το κείμενο δεν είναι UTF-8, όπως οι πρώτες γραμμές του αρχείου"_s))
      << r.err.toStdString();
  EXPECT_FALSE(cat.exists());
}

TEST_F(TableImportTest, RepeatedBookNumbersAreListedAndWrittenOnlyWhenAllowed) {
  const QByteArray existing = rec({u"Παλιό"_s, {}, u"Παλιός τίτλος"_s, {}, u" 042 Ποίηση"_s});
  cat.setBytes(existing);
  const QByteArray csv =
      u"Τίτλος,Βιβλιάριθμος\r\nΝέο,42 Ποίηση\r\nΆλλο,7\r\n\r\nΤρίτο,0007\r\nΧωρίς αριθμό,Ποίηση\r\n"_s.toUtf8();
  Run r = importFile(u"in.csv"_s, csv);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.split(u'\n', Qt::SkipEmptyParts).mid(1, 2),
            (QStringList{u"σειρά 2: ο βιβλιάριθμος 42 υπάρχει ήδη στον κατάλογο, στην εγγραφή με κωδικό 1"_s,
                         u"σειρά 5: ο βιβλιάριθμος 7 δίνεται ήδη πιο πάνω (σειρά 3)"_s}));
  EXPECT_TRUE(r.err.contains(u"--allow-repeats"_s));
  EXPECT_EQ(cat.bytes(), existing);

  r = importFile(u"in.csv"_s, csv, {u"--allow-repeats"_s});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), existing + rec({{}, {}, u"Νέο"_s, {}, u"42 Ποίηση"_s}) + rec({{}, {}, u"Άλλο"_s, {}, u"7"_s}) +
                             rec({{}, {}, u"Τρίτο"_s, {}, u"0007"_s}) +
                             rec({{}, {}, u"Χωρίς αριθμό"_s, {}, u"Ποίηση"_s}));
}

TEST_F(TableImportTest, TheWindowsImportCancelsToTheSameBytesAndPreviewsFirst) {
  const QByteArray existing = rec({u"Υπάρχουσα"_s});
  cat.setBytes(existing);
  QByteArray csv = "Τίτλος;Θέμα\r\n";
  for (int i = 0; i < 3000; ++i) csv += "Βιβλίο " + QByteArray::number(i) + ";Ιστορία\r\n";
  writeAll(file(u"many.csv"_s), csv);

  const ImportPreview preview = previewImport(file(u"many.csv"_s), {}, {}, 2);
  EXPECT_EQ(preview.kind, ImportPreview::Kind::Table);
  EXPECT_EQ(preview.seen, u"CSV, UTF-8, διαχωριστικό «;»"_s);
  EXPECT_TRUE(preview.headerRecognised);
  EXPECT_EQ(preview.columns, (QList<int>{2, 4}));
  EXPECT_EQ(preview.rows, (QList<QStringList>{{u"Βιβλίο 0"_s, u"Ιστορία"_s}, {u"Βιβλίο 1"_s, u"Ιστορία"_s}}));
  // The preview takes a cell whole, as the import reads it: what will not fit is the window's to mark.
  EXPECT_EQ(previewField(u"Ιστορία   "_s, 4).text, u"Ιστορία"_s);
  const FieldPreview longName = previewField(QString(60, u'Α') + u"é"_s, 0);
  EXPECT_EQ(longName.text, QString(60, u'Α') + u"é"_s);
  EXPECT_EQ(longName.width, 50);
  EXPECT_EQ(longName.unwritable, QStringList{u"é"_s});
  // Every row is counted, and the last ones kept, with the file's row numbers.
  EXPECT_EQ(preview.rowCount, 3000);
  EXPECT_EQ(preview.rowNumbers, (QList<int>{2, 3}));
  EXPECT_EQ(preview.lastRows.last(), (QStringList{u"Βιβλίο 2999"_s, u"Ιστορία"_s}));
  EXPECT_EQ(preview.lastNumbers, (QList<int>{2999, 3000, 3001}));
  EXPECT_TRUE(preview.totalsNumbers.isEmpty());
  EXPECT_TRUE(preview.sheets.isEmpty());
  qint64 read = 0;
  EXPECT_EQ(previewImport(file(u"many.csv"_s), {}, [&](qint64 done, qint64) { return (read = done) < 512; }).kind,
            ImportPreview::Kind::Cancelled);
  EXPECT_EQ(read, 512);

  CatalogueFile open;
  ASSERT_TRUE(open.open(cat.path()));
  qint64 told = 0;
  ImportResult result = importIntoOpenCatalogue(file(u"many.csv"_s), open, {}, [&](qint64 done, qint64) {
    told = done;
    return done < 2048;
  });
  EXPECT_EQ(result.status, ImportResult::Status::Cancelled);
  EXPECT_EQ(told, 2048);
  EXPECT_EQ(cat.bytes(), existing);

  // Cancel at the last step, after the last row, still undoes.
  result = importIntoOpenCatalogue(file(u"many.csv"_s), open, {}, [&](qint64, qint64 total) { return total == 0; });
  EXPECT_EQ(result.status, ImportResult::Status::Cancelled);
  EXPECT_EQ(cat.bytes(), existing);

  QList<qint64> totals;
  result = importIntoOpenCatalogue(file(u"many.csv"_s), open, {}, [&](qint64 done, qint64 total) {
    totals.append(total);
    return total == 0 || done == total;
  });
  ASSERT_EQ(result.status, ImportResult::Status::Done) << result.refusals.count();
  EXPECT_EQ(result.first, 2);
  EXPECT_EQ(result.count, 3000);
  EXPECT_EQ(totals, (QList<qint64>{0, 0, 3000}));
  EXPECT_EQ(cat.bytes().size(), 3001 * CatalogueRecord::kLength);
}

TEST_F(TableImportTest, TotalsRowsAreFoundAndRowsLeftOutOrJoinedAsTheWindowAsks) {
  writeAll(file(u"list.csv"_s), cp1253::encode(u"Α/Α;Τίτλος;Εκδότης;Έτος;Βιβλιάριθμος\r\n"
                                               "1;Ρωμιοσύνη;Κέδρος;1966;0042\r\n"
                                               ";;;;\r\n"
                                               "2;Άξιον εστί;Ίκαρος;1959;43\r\n"
                                               "ΣΥΝΟΛΟ ΒΙΒΛΙΩΝ: 2;;;;\r\n"
                                               "Τελευταία ενημέρωση;;;2026;\r\n"_s));
  const ImportPreview preview = previewImport(file(u"list.csv"_s), {});
  EXPECT_EQ(preview.rowCount, 4);
  EXPECT_EQ(preview.rowNumbers, (QList<int>{2, 4, 5, 6}));
  EXPECT_EQ(preview.totalsNumbers, (QList<int>{5, 6}));
  EXPECT_EQ(preview.totalsTexts, (QStringList{u"ΣΥΝΟΛΟ ΒΙΒΛΙΩΝ: 2"_s, u"Τελευταία ενημέρωση | 2026"_s}));

  // Publisher and year joined into one field; the totals row and what follows it left out.
  ImportOptions options;
  options.columns = {kCodeColumn, 2, 3, 3, 4};
  options.firstRow = FirstRow::Header;
  options.leftOutRows = {5};
  options.lastRow = 5;
  const ImportResult result = importIntoCatalogue(file(u"list.csv"_s), cat.path(), options);
  ASSERT_EQ(result.status, ImportResult::Status::Done) << result.failure.toStdString();
  EXPECT_EQ(cat.bytes(), rec({{}, {}, u"Ρωμιοσύνη"_s, u"Κέδρος, 1966"_s, u"0042"_s}) +
                             rec({{}, {}, u"Άξιον εστί"_s, u"Ίκαρος, 1959"_s, u"43"_s}));

  // A list of titles and numbers alone is a list of books, its last row too.
  writeAll(file(u"short.csv"_s), "Τίτλος;Βιβλιάριθμος\r\nΑναφορά;1001\r\nΖορμπάς;1002\r\n");
  EXPECT_TRUE(previewImport(file(u"short.csv"_s), {}).totalsNumbers.isEmpty());
}

TEST_F(TableImportTest, AWorkbooksSheetsAreListedAndTheChosenOneIsRead) {
  const QString path = file(u"δύο.xlsx"_s);
  lxw_workbook* book = workbook_new(QFile::encodeName(file(u"made.xlsx"_s)).constData());
  worksheet_write_string(workbook_add_worksheet(book, "Οδηγίες"), 0, 0, "Διαβάστε πρώτα", nullptr);
  lxw_worksheet* books = workbook_add_worksheet(book, "Βιβλία");
  worksheet_write_string(books, 0, 0, "Τίτλος", nullptr);
  worksheet_write_string(books, 1, 0, "Ρωμιοσύνη", nullptr);
  ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);
  ASSERT_TRUE(QFile::rename(file(u"made.xlsx"_s), path));

  const ImportPreview first = previewImport(path, {});
  EXPECT_EQ(first.sheets, (QStringList{u"Οδηγίες"_s, u"Βιβλία"_s}));
  EXPECT_EQ(first.sheet, u"Οδηγίες"_s);
  ImportOptions options;
  options.sheet = u"βιβλία"_s;
  const ImportPreview chosen = previewImport(path, options);
  EXPECT_EQ(chosen.sheet, u"Βιβλία"_s);
  EXPECT_EQ(chosen.rows, QList<QStringList>{{u"Ρωμιοσύνη"_s}});
}

TEST_F(TableImportTest, RepeatsAreToldForACatalogueFileToo) {
  cat.setBytes(rec({u"Α"_s, {}, u"Τ"_s, {}, u"5 Ιστορία"_s}));
  writeAll(file(u"other.dat"_s), rec({u"Β"_s, {}, u"Τ2"_s, {}, u"005"_s}) + deleted() +
                                     rec({u"Γ"_s, {}, u"Τ3"_s, {}, u"6"_s}) + rec({u"Δ"_s, {}, u"Τ4"_s, {}, u"6"_s}));
  const Run r = run({u"import"_s, file(u"other.dat"_s), cat.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.split(u'\n', Qt::SkipEmptyParts).mid(1, 2),
            (QStringList{u"εγγραφή 1: ο βιβλιάριθμος 5 υπάρχει ήδη στον κατάλογο, στην εγγραφή με κωδικό 1"_s,
                         u"εγγραφή 4: ο βιβλιάριθμος 6 δίνεται ήδη πιο πάνω (εγγραφή 3)"_s}));
  EXPECT_EQ(cat.bytes(), rec({u"Α"_s, {}, u"Τ"_s, {}, u"5 Ιστορία"_s}));
}

TEST_F(TableImportTest, EachKindIsToldByItsContentAndPreviewedAsSuch) {
  // An OpenDocument file names itself in its first entry whatever its name; any other zip is a workbook.
  writeAll(file(u"list.zip"_s),
           "PK\x03\x04" + QByteArray(26, '\0') + "mimetypeapplication/vnd.oasis.opendocument.spreadsheet");
  writeAll(file(u"book.bin"_s), QByteArray("PK\x03\x04").leftJustified(400, '\0'));
  writeAll(file(u"old.bin"_s), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1").leftJustified(700, '\0'));
  // Broken as these are, each is a workbook that cannot be read, never a catalogue file.
  QString error;
  for (const QString& name : {u"list.zip"_s, u"book.bin"_s, u"old.bin"_s}) {
    QFile in(file(name));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const std::unique_ptr<TableReader> table = openTable(in, file(name), {}, error);
    EXPECT_TRUE(table || !error.isEmpty()) << name.toStdString();
    EXPECT_NE(previewImport(file(name), {}).kind, ImportPreview::Kind::Records) << name.toStdString();
  }

  // A catalogue file is no table: it previews as records.
  writeAll(file(u"other.dat"_s), rec({u"Α"_s}) + rec({u"Β"_s}));
  QFile other(file(u"other.dat"_s));
  ASSERT_TRUE(other.open(QIODevice::ReadOnly));
  EXPECT_EQ(openTable(other, other.fileName(), {}, error), nullptr);
  EXPECT_TRUE(error.isEmpty());
  ImportPreview preview = previewImport(file(u"other.dat"_s), {});
  EXPECT_EQ(preview.kind, ImportPreview::Kind::Records);
  EXPECT_EQ(preview.records, 2);

  // Without a header the columns come from the options and the first row is data; a short row takes blanks.
  writeAll(file(u"plain.tsv"_s), cp1253::encode(u"Ρωμιοσύνη\tΡίτσος\t42\r\nΆξιον εστί\r\n"_s));
  ImportOptions options;
  options.columns = {2, 0, 4};
  preview = previewImport(file(u"plain.tsv"_s), options);
  EXPECT_EQ(preview.seen, u"CSV, Windows-1253, διαχωριστικό το Tab"_s);
  EXPECT_FALSE(preview.headerRecognised);
  EXPECT_EQ(preview.rows, (QList<QStringList>{{u"Ρωμιοσύνη"_s, u"Ρίτσος"_s, u"42"_s}, {u"Άξιον εστί"_s}}));
  CatalogueFile open;
  ASSERT_TRUE(open.open(cat.path()));
  const ImportResult result = importIntoOpenCatalogue(file(u"plain.tsv"_s), open, options);
  ASSERT_EQ(result.status, ImportResult::Status::Done) << result.refusals.count();
  EXPECT_EQ(cat.bytes(), rec({u"Ρίτσος"_s, {}, u"Ρωμιοσύνη"_s, {}, u"42"_s}) + rec({{}, {}, u"Άξιον εστί"_s}));
}

TEST(TableColumns, NamesMatchWithoutCaseAccentsPunctuationOrLatinLookAlikes) {
  EXPECT_EQ(columnField(u"  «Τίτλος»: "_s), 2);
  EXPECT_EQ(columnField(u"TITΛOΣ"_s), 2);  // T and O typed in Latin
  EXPECT_EQ(columnField(u"μεταφραστης"_s), 1);
  EXPECT_EQ(columnField(u"Αρ εισαγωγής"_s), 4);
  EXPECT_EQ(columnField(u"εκδοτικα στοιχεια τοπος οικος ετος εκδοση σελιδες τομοι"_s), 3);
  EXPECT_EQ(columnField(u"α/α"_s), kCodeColumn);
  EXPECT_EQ(columnField(u"Ράφι"_s), kNoColumn);
  EXPECT_EQ(columnField(u" - "_s), kNoColumn);
  QStringList unknown;
  EXPECT_EQ(columnsNamed(u"Τίτλος, -,Κωδικός,Ράφι"_s, unknown), (QList<int>{2, kNoColumn, kCodeColumn, kNoColumn}));
  EXPECT_EQ(unknown, QStringList{u"Ράφι"_s});
  EXPECT_EQ(columnsNamed(u"\"ΕΚΔΟΤΙΚΑ ΣΤΟΙΧΕΙΑ: ΤΟΠΟΣ, ΟΙΚΟΣ, ΕΤΟΣ, ΕΚΔΟΣΗ, ΣΕΛΙΔΕΣ/ΤΟΜΟΙ\",Θέμα"_s, unknown),
            (QList<int>{3, 4}));
}
