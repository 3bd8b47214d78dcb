#include "TransferFixture.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/Cp1253.h"
#include "transfer/Import.h"

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
  EXPECT_TRUE(lines[2].startsWith(u"σειρά 1: «Ράφι» δεν είναι στήλες του καταλόγου"_s)) << lines[2].toStdString();
  EXPECT_TRUE(r.err.contains(u"Βιβλιάριθμος, Αριθμός εισαγωγής"_s)) << r.err.toStdString();
  EXPECT_FALSE(cat.exists());
}

TEST_F(TableImportTest, AFileThatTurnsFromUtf8ToAnotherCodePageIsRefusedWhereItDoes) {
  // The encoding is found from the first 64 KiB: a later Windows-1253 cell is named, not misread.
  QByteArray csv = "Τίτλος;Θέμα\r\n";
  while (csv.size() < (1 << 16)) csv += "Βιβλίο;Ιστορία\r\n";
  csv += "Τέλος;" + cp1253::encode(u"Ιστορία"_s) + "\r\n";
  const Run r = importFile(u"mixed.csv"_s, csv);
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

  const ImportPreview preview = previewImport(file(u"many.csv"_s), {}, 2);
  EXPECT_EQ(preview.kind, ImportPreview::Kind::Table);
  EXPECT_EQ(preview.seen, u"CSV, UTF-8, διαχωριστικό «;»"_s);
  EXPECT_TRUE(preview.headerRecognised);
  EXPECT_EQ(preview.columns, (QList<int>{2, 4}));
  EXPECT_EQ(preview.rows, (QList<QStringList>{{u"Βιβλίο 0"_s, u"Ιστορία"_s}, {u"Βιβλίο 1"_s, u"Ιστορία"_s}}));
  EXPECT_EQ(storedText(u"Ιστορία   "_s, 4), u"Ιστορία"_s);
  EXPECT_EQ(storedText(QString(60, u'Α'), 0), QString(50, u'Α'));

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

  QList<qint64> totals;
  result = importIntoOpenCatalogue(file(u"many.csv"_s), open, {}, [&](qint64 done, qint64 total) {
    totals.append(total);
    return total == 0 || done == total;
  });
  ASSERT_EQ(result.status, ImportResult::Status::Done) << result.messages.join(u'\n').toStdString();
  EXPECT_EQ(result.first, 2);
  EXPECT_EQ(result.count, 3000);
  EXPECT_EQ(totals, (QList<qint64>{0, 0, 3000}));
  EXPECT_EQ(cat.bytes().size(), 3001 * CatalogueRecord::kLength);
}
