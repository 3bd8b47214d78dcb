#include "SheetFixture.h"
#include "transfer/table/workbook/SheetRows.h"
#include "transfer/table/workbook/ZipEntries.h"

// The spreadsheet readers, each through the TableReader the import uses:
// workbooks made here (xlsx by libxlsxwriter, ods zipped from the XML
// below) and tests/data/books.xls, made once with the npm package "xlsx"
// (aoa_to_sheet and writeFile with bookType "biff8"): sheet «Βιβλία» holds
// Τίτλος | Συγγραφέας | | Βιβλιάριθμος, then Η Φόνισσα | Παπαδιαμάντης,
// Αλέξανδρος | | 42, a blank row, and Ο Μικρός Ναυτίλος | Ελύτης, Οδυσσέας |
// σημείωση | 3.5; sheet «Μαθητές» holds Όνομα, Μαρία, Μαθητής 1 … Μαθητής 80,
// enough for a workbook stream of more than 4096 bytes: FreeXL does not read
// a smaller one, kept in the compound file's mini stream (Excel pads its own).
class SheetReadersTest : public SheetFixture {};

TEST_F(SheetReadersTest, XlsxRowsComeAsTheSheetShowsThemFromSharedOrInlineStrings) {
  const QStringList expected{
      u"1: Τίτλος|Συγγραφέας||Βιβλιάριθμος"_s,
      u"2: Η Φόνισσα|Παπαδιαμάντης, Αλέξανδρος||0042"_s,
      u"3: "_s,
      u"4: Πρώτη\nδεύτερη|3,5|11/9/2024|1234|ΑΛΗΘΕΣ"_s,
  };
  for (const bool inlineStrings : {false, true}) {
    const Sheet sheet = xlsx(makeXlsx(u"βιβλία.xlsx"_s, inlineStrings));
    EXPECT_EQ(sheet.rows, expected) << inlineStrings;
    EXPECT_EQ(sheet.seen, u"xlsx, φύλλο «Βιβλία»"_s);
    EXPECT_EQ(sheet.error, QString());
  }
}

TEST_F(SheetReadersTest, XlsxNumbersKeepTheirFormatsWithinReason) {
  const QString path = file(u"numbers.xlsx"_s);
  lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
  lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
  const struct {
    double value;
    const char* format;
  } cells[] = {{-42, "0000"},      {3.14159, "0.00"},    {0.5, "hh:mm"},    {45546.354166666664, "dd/mm/yyyy hh:mm"},
               {1234567, "#,##0"}, {0.1 + 0.2, nullptr}, {7, "\"ΒΑ-\"000"}, {2.5, "0;[Red]-0"}};
  lxw_col_t column = 0;
  for (const auto& cell : cells) {
    lxw_format* format = nullptr;
    if (cell.format) {
      format = workbook_add_format(book);
      format_set_num_format(format, cell.format);
    }
    worksheet_write_number(sheet, 0, column++, cell.value, format);
  }
  ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);
  // The text around a format's digits is not kept.
  EXPECT_EQ(xlsx(path).rows, QStringList{u"1: -0042|3,14|12:00|11/9/2024 08:30|1234567|0,3|007|3"_s});
}

TEST_F(SheetReadersTest, XlsxPartsAreFoundByTheirRelationsAndBadReferencesAreRefused) {
  const QByteArray strings =
      "<si><t>Κ_x000D_\nΛ</t></si><si><r><t>Ο </t></r><r><t>Κόσμος</t></r><rPh><t>κοσμος</t></rPh></si>";
  const QString good = makeXlsxParts(
      u"parts.xlsx"_s,
      R"(<row><c t="s"><v>0</v></c><c t="s"><v>1</v></c></row><row r="3"><c r="B3" t="inlineStr"><is><t>μέσα</t></is></c>)"
      R"(<c t="str"><f>A1</f><v>τύπος</v></c></row>)",
      strings);
  EXPECT_EQ(xlsx(good).rows, (QStringList{u"1: Κ\r\nΛ|Ο Κόσμος"_s, u"2: "_s, u"3: |μέσα|τύπος"_s}));

  EXPECT_EQ(xlsx(makeXlsxParts(u"index.xlsx"_s, R"(<row><c t="s"><v>2</v></c></row>)", strings)).error,
            u"Το αρχείο «index.xlsx» είναι κατεστραμμένο: ένα κελί δείχνει το κοινό κείμενο 2, που δεν υπάρχει."_s);
  EXPECT_EQ(xlsx(makeXlsxParts(u"order.xlsx"_s, R"(<row r="4"><c><v>1</v></c></row><row r="2"/>)", strings)).error,
            u"Το αρχείο «order.xlsx» είναι κατεστραμμένο: η σειρά 2 του φύλλου βρίσκεται μετά τη σειρά 4."_s);
  EXPECT_EQ(xlsx(makeXlsxParts(u"wide.xlsx"_s, R"(<row r="1"><c r="XFE1"><v>1</v></c></row>)", strings)).error,
            u"Το αρχείο «wide.xlsx» είναι πολύ μεγάλο για εισαγωγή: η σειρά 1 έχει πάνω από 16384 στήλες."_s);
  const Sheet cut = xlsx(makeXlsxParts(u"cut.xlsx"_s, R"(<row r="1"><c><v>1</v></c></row><row r="2"><c>)", strings));
  EXPECT_EQ(cut.rows, QStringList{u"1: 1"_s});
  EXPECT_TRUE(cut.error.startsWith(
      u"Το αρχείο «cut.xlsx» είναι κατεστραμμένο: το μέρος «xl/worksheets/a.xml» δεν είναι σωστό XML στη γραμμή 1, "_s))
      << cut.error.toStdString();
}

TEST_F(SheetReadersTest, ASheetIsChosenByNameAndAMissingOneIsNamedWithTheSheetsThere) {
  const QString book = makeXlsx(u"book.xlsx"_s, false);
  EXPECT_EQ(xlsx(book, u"μαθητές"_s).rows, QStringList{u"1: Μαρία"_s});
  EXPECT_EQ(xlsx(book, u"μαθητές"_s).seen, u"xlsx, φύλλο «Μαθητές»"_s);
  EXPECT_EQ(xlsx(book, u"Δανεισμοί"_s).error,
            u"Το αρχείο «book.xlsx» δεν έχει φύλλο «Δανεισμοί»· τα φύλλα του είναι: «Βιβλία», «Μαθητές»."_s);

  const QString sheets = makeOds(u"book.ods"_s, R"(<table:table table:name="Βιβλία">)" + odsRow(odsCell("Α")) +
                                                    R"(</table:table><table:table table:name="Μαθητές">)" +
                                                    odsRow(odsCell("Μαρία")) + "</table:table>");
  EXPECT_EQ(ods(sheets, u"Μαθητές"_s).rows, QStringList{u"1: Μαρία"_s});
  EXPECT_EQ(ods(sheets, u"Μαθητές"_s).seen, u"ods, φύλλο «Μαθητές»"_s);
  EXPECT_EQ(ods(sheets, u"Δανεισμοί"_s).error,
            u"Το αρχείο «book.ods» δεν έχει φύλλο «Δανεισμοί»· τα φύλλα του είναι: «Βιβλία», «Μαθητές»."_s);

  const QString old = QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/books.xls");
  const QStringList students = xls(old, u"Μαθητές"_s).rows;
  ASSERT_EQ(students.size(), 82);
  EXPECT_EQ(students.mid(0, 2), (QStringList{u"1: Όνομα"_s, u"2: Μαρία"_s}));
  EXPECT_EQ(students.last(), u"82: Μαθητής 80"_s);
  EXPECT_EQ(xls(old, u"Δανεισμοί"_s).error,
            u"Το αρχείο «books.xls» δεν έχει φύλλο «Δανεισμοί»· τα φύλλα του είναι: «Βιβλία», «Μαθητές»."_s);
}

TEST_F(SheetReadersTest, OdsRepeatsAreSpreadOutButTrailingBlanksAreTheEnd) {
  const QByteArray table =
      R"(<table:table table:name="Βιβλία"><table:table-column table:number-columns-repeated="16384"/>)" +
      odsRow(odsCell("Τίτλος") + odsBlanks(2) + odsCell("Βιβλιάριθμος") + odsBlanks(16380)) +
      odsRow(
          R"(<table:table-cell><office:annotation><text:p>σχόλιο</text:p></office:annotation>)"
          R"(<text:p>Η<text:s text:c="2"/><text:span>Φόνισσα</text:span></text:p></table:table-cell>)"
          R"(<table:table-cell table:number-columns-spanned="2"><text:p>Ενωμένο</text:p></table:table-cell>)"
          R"(<table:covered-table-cell><text:p>κρυμμένο</text:p></table:covered-table-cell>)"
          R"(<table:table-cell office:value-type="float" office:value="42"><text:p>0042</text:p></table:table-cell>)") +
      odsRow(odsCell("Ίδιο"), 2) + odsRow(odsBlanks(16384), 3) + "<table:table-row-group>" +
      odsRow(
          R"(<table:table-cell office:value-type="float" office:value="3.5"/>)" + odsCell("Πρώτη") +
          R"(<table:table-cell><text:p>α</text:p><text:p>β<text:line-break/>γ<text:tab/>δ</text:p></table:table-cell>)") +
      "</table:table-row-group>" + odsRow(odsBlanks(16384), 1048568) + "</table:table>";
  const Sheet sheet = ods(makeOds(u"list.ods"_s, table));
  EXPECT_EQ(sheet.rows, (QStringList{u"1: Τίτλος|||Βιβλιάριθμος"_s, u"2: Η  Φόνισσα|Ενωμένο||0042"_s, u"3: Ίδιο"_s,
                                     u"4: Ίδιο"_s, u"5: "_s, u"6: "_s, u"7: "_s, u"8: 3,5|Πρώτη|α\nβ\nγ\tδ"_s}));
  EXPECT_EQ(sheet.error, QString());
  EXPECT_EQ(sheet.seen, u"ods, φύλλο «Βιβλία»"_s);
}

TEST_F(SheetReadersTest, EveryReaderListsTheWorkbooksSheetsWhicheverItReads) {
  const QString twoTables = makeOds(u"two.ods"_s, R"(<table:table table:name="Οδηγίες">)" + odsRow(odsCell("Α")) +
                                                      R"(</table:table><table:table table:name="Βιβλία">)" +
                                                      odsRow(odsCell("Β")) + "</table:table>");
  const QStringList both{u"Οδηγίες"_s, u"Βιβλία"_s};
  QString error;
  QFile odsFile(twoTables);
  ASSERT_TRUE(odsFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(openOdsTable(odsFile, twoTables, {}, error)->sheets(), both);
  EXPECT_EQ(openOdsTable(odsFile, twoTables, u"Βιβλία"_s, error)->sheets(), both);
  QFile xlsxFile(makeXlsx(u"book.xlsx"_s, false));
  ASSERT_TRUE(xlsxFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(openXlsxTable(xlsxFile, xlsxFile.fileName(), {}, error)->sheets(),
            (QStringList{u"Βιβλία"_s, u"Μαθητές"_s}));
  EXPECT_EQ(openXlsTable(QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/books.xls"), {}, error)->sheets(),
            (QStringList{u"Βιβλία"_s, u"Μαθητές"_s}));
}

// Dates come day/month/year whichever reader meets them (the xls reader
// hands FreeXL's ISO text to the same conversion).
TEST_F(SheetReadersTest, DatesComeDayMonthYearAsAGreekSystemShowsThem) {
  const QByteArray table =
      R"(<table:table table:name="Α">)" +
      odsRow(R"(<table:table-cell office:value-type="date" office:date-value="2026-12-15"/>)"
             R"(<table:table-cell office:value-type="date" office:date-value="2026-03-05T08:30:00"/>)"
             R"(<table:table-cell office:value-type="date" office:date-value="2026-12-15"><text:p>2026-12-15</text:p>)"
             R"(</table:table-cell>)"
             R"(<table:table-cell office:value-type="date" office:date-value="2026-12-15"><text:p>15 Δεκ 2026</text:p>)"
             R"(</table:table-cell>)" +
             odsCell("2026-12-15")) +
      "</table:table>";
  EXPECT_EQ(ods(makeOds(u"dates.ods"_s, table)).rows,
            QStringList{u"1: 15/12/2026|5/3/2026 08:30|15/12/2026|15 Δεκ 2026|2026-12-15"_s});
  EXPECT_EQ(SheetRows::greekDate(u"2026-12-15 08:30:05"_s), u"15/12/2026 08:30:05"_s);
  EXPECT_EQ(SheetRows::greekDate(u"2026-02-30"_s), u"2026-02-30"_s);
  EXPECT_EQ(SheetRows::greekDate(u"2026-12-15 και κάτι"_s), u"2026-12-15 και κάτι"_s);
}

TEST_F(SheetReadersTest, LongSheetsAreReadToTheirEndAndACutOneIsDamaged) {
  QByteArray rows;
  for (int i = 1; i <= 3000; ++i) rows += odsRow(odsCell("Βιβλίο " + QByteArray::number(i)));
  const QString table = makeOds(u"long.ods"_s, "<table:table table:name=\"Α\">" + rows + "</table:table>");
  const Sheet whole = ods(table);
  ASSERT_EQ(whole.rows.size(), 3000) << whole.error.toStdString();
  EXPECT_EQ(whole.rows.last(), u"3000: Βιβλίο 3000"_s);

  const QString path = file(u"long.xlsx"_s);
  lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
  lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
  for (int i = 0; i < 3000; ++i)
    worksheet_write_string(sheet, i, 0, ("Βιβλίο " + std::to_string(i + 1)).c_str(), nullptr);
  ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);
  const Sheet strings = xlsx(path);
  ASSERT_EQ(strings.rows.size(), 3000) << strings.error.toStdString();
  EXPECT_EQ(strings.rows.last(), u"3000: Βιβλίο 3000"_s);

  const QString cut = makeOds(u"cut.ods"_s, "<table:table table:name=\"Α\">" + rows.left(rows.size() / 2));
  const Sheet part = ods(cut);
  EXPECT_TRUE(
      part.error.startsWith(u"Το αρχείο «cut.ods» είναι κατεστραμμένο: το μέρος «content.xml» δεν είναι σωστό XML"_s))
      << part.error.toStdString();
}

TEST_F(SheetReadersTest, XlsCellsComeByTypeWithSkippedColumnsAndRows) {
  const Sheet sheet = xls(QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/books.xls"));
  EXPECT_EQ(sheet.rows,
            (QStringList{u"1: Τίτλος|Συγγραφέας||Βιβλιάριθμος"_s, u"2: Η Φόνισσα|Παπαδιαμάντης, Αλέξανδρος||42"_s,
                         u"3: "_s, u"4: Ο Μικρός Ναυτίλος|Ελύτης, Οδυσσέας|σημείωση|3,5"_s}));
  EXPECT_EQ(sheet.seen, u"xls, φύλλο «Βιβλία»"_s);
  EXPECT_EQ(sheet.error, QString());
}

TEST_F(SheetReadersTest, RepeatsBeyondTheLargestSheetAreRefusedNotSpreadOut) {
  const QByteArray tooManyRows = odsRow(odsCell("x"), 2000000);
  EXPECT_EQ(ods(makeOds(u"rows.ods"_s, "<table:table table:name=\"Α\">" + tooManyRows + "</table:table>")).error,
            u"Το αρχείο «rows.ods» είναι πολύ μεγάλο για εισαγωγή: το φύλλο έχει πάνω από 1048576 σειρές."_s);
  const QByteArray tooManyColumns =
      odsRow(odsBlanks(16000) + R"(<table:table-cell table:number-columns-repeated="1000"><text:p>x</text:p>)"
                                "</table:table-cell>");
  EXPECT_EQ(ods(makeOds(u"columns.ods"_s, "<table:table table:name=\"Α\">" + tooManyColumns + "</table:table>")).error,
            u"Το αρχείο «columns.ods» είναι πολύ μεγάλο για εισαγωγή: μια σειρά έχει πάνω από 16384 στήλες."_s);
}

TEST_F(SheetReadersTest, FilesThatAreNotWhatTheySayAreRefusedByName) {
  QFile text(file(u"list.xlsx"_s));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("Τίτλος;Συγγραφέας\r\n");
  text.close();
  EXPECT_EQ(xlsx(file(u"list.xlsx"_s)).error,
            u"Το αρχείο «list.xlsx» δεν είναι αρχείο xlsx: δεν είναι αρχείο zip, όπως κάθε αρχείο xlsx."_s);
  EXPECT_EQ(xls(file(u"list.xlsx"_s)).error, u"Το αρχείο «list.xlsx» δεν είναι αρχείο xls του Excel."_s);
  // Sheets whose dimensions claim every cell the format allows, in a small file.
  QFile full(QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/books.xls"));
  ASSERT_TRUE(full.open(QIODevice::ReadOnly));
  QByteArray claims = full.readAll();
  for (qsizetype at = 0; (at = claims.indexOf(QByteArray("\x00\x02\x0e\x00", 4), at)) >= 0; at += 4) {
    claims.replace(at + 8, 4, QByteArray("\x00\x00\x01\x00", 4));
    claims.replace(at + 14, 2, QByteArray("\x00\x01", 2));
  }
  QFile huge(file(u"huge.xls"_s));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
  huge.write(claims);
  huge.close();
  EXPECT_EQ(xls(huge.fileName()).error,
            u"Το αρχείο «huge.xls» είναι πολύ μεγάλο για εισαγωγή: τα φύλλα του έχουν πάνω από 16777216 κελιά."_s);
  QFile half(file(u"half.xls"_s));
  QFile whole(QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/books.xls"));
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly) && half.open(QIODevice::WriteOnly));
  half.write(whole.read(whole.size() / 2));
  half.close();
  EXPECT_TRUE(xls(half.fileName()).error.startsWith(u"Το αρχείο «half.xls» είναι κατεστραμμένο: "_s))
      << xls(half.fileName()).error.toStdString();
  // A workbook whose reading fails is a failing disk, not a damaged file.
  QBuffer unreadable;
  QString error;
  EXPECT_EQ(openOdsTable(unreadable, file(u"none.ods"_s), {}, error), nullptr);
  EXPECT_EQ(error, u"Δεν ήταν δυνατή η ανάγνωση του αρχείου «none.ods»: σφάλμα ανάγνωσης του δίσκου."_s);

  // Cut short, the zip loses its directory.
  QFile book(makeXlsx(u"cut.xlsx"_s, false));
  ASSERT_TRUE(book.open(QIODevice::ReadWrite));
  book.resize(book.size() - 200);
  book.close();
  EXPECT_EQ(xlsx(book.fileName()).error,
            u"Το αρχείο «cut.xlsx» είναι κατεστραμμένο: ο κατάλογος του αρχείου zip λείπει ή είναι κομμένος."_s);

  // Bytes spoilt inside the packed sheet.
  QByteArray many;
  for (int i = 0; i < 400; ++i) many += odsRow(odsCell("Βιβλίο " + QByteArray::number(i)));
  QFile spoilt(makeOds(u"spoilt.ods"_s, "<table:table table:name=\"Α\">" + many + "</table:table>"));
  ASSERT_TRUE(spoilt.open(QIODevice::ReadWrite));
  spoilt.seek(spoilt.size() / 2);
  spoilt.write(QByteArray(64, '\xFF'));
  spoilt.close();
  const Sheet damaged = ods(spoilt.fileName());
  EXPECT_TRUE(damaged.error.startsWith(u"Το αρχείο «spoilt.ods» είναι κατεστραμμένο: "_s))
      << damaged.error.toStdString();
  EXPECT_LT(damaged.rows.size(), 400);

  const QString document = makeZip(u"letter.ods"_s, {{"mimetype", "application/vnd.oasis.opendocument.text"}});
  EXPECT_EQ(ods(document).error,
            u"Το αρχείο «letter.ods» δεν είναι φύλλο εργασίας ods αλλά άλλο έγγραφο "
            u"(application/vnd.oasis.opendocument.text)."_s);
  EXPECT_EQ(xlsx(document).error,
            u"Το αρχείο «letter.ods» είναι κατεστραμμένο: δεν έχει το μέρος «xl/workbook.xml»."_s);
}

TEST_F(SheetReadersTest, AnEntryThatUnpacksBeyondTheBoundIsRefusedBeforeItIsRead) {
  const QString big = makeOds(
      u"big.ods"_s, "<table:table table:name=\"Α\">" + odsRow(odsCell(QByteArray(5000, 'x'))) + "</table:table>");
  QString error;
  QFile bigFile(big);
  ASSERT_TRUE(bigFile.open(QIODevice::ReadOnly));
  const std::unique_ptr<ZipEntries> zip = ZipEntries::open(bigFile, big, u"ods"_s, error, 4096);
  ASSERT_TRUE(zip) << error.toStdString();
  EXPECT_EQ(zip->stream(u"content.xml"_s, error), nullptr);
  EXPECT_EQ(error,
            u"Το αρχείο «big.ods» είναι πολύ μεγάλο για εισαγωγή: το μέρος «content.xml» ξεπερνά τα 1 MB "
            u"όταν αποσυμπιεστεί."_s);
  EXPECT_EQ(ods(big).rows, QStringList{u"1: "_s + QString(5000, u'x')});
}
