#include <gtest/gtest.h>

#include <QBuffer>

#include "transfer/table/CsvReader.h"

using namespace Qt::StringLiterals;

namespace {

struct Read {
  QList<QList<QByteArray>> rows;
  QList<int> rowNumbers;
  QString error;
  bool readFailed = false;
};

Read readCsv(QByteArray bytes, char separator = ',') {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  CsvReader reader(buffer, separator);
  Read r;
  QList<QByteArray> row;
  while (reader.next(row)) {
    r.rows.append(row);
    r.rowNumbers.append(reader.row());
  }
  r.error = reader.error();
  r.readFailed = reader.readFailed();
  return r;
}

using Rows = QList<QList<QByteArray>>;

}  // namespace

TEST(CsvReader, QuotedCellsHoldCommasLineBreaksAndDoubledQuotesWhateverEndsTheRows) {
  const Read r = readCsv(
      "\xEF\xBB\xBF"
      "a,\"b,c\",\"say \"\"hi\"\"\"\r\n"
      "\"two\r\nlines\",,x\n"
      "cr,\"\",end\r"
      "last,row,\"without a line end\"");
  EXPECT_EQ(r.rows, (Rows{{"a", "b,c", "say \"hi\""},
                          {"two\r\nlines", "", "x"},
                          {"cr", "", "end"},
                          {"last", "row", "without a line end"}}));
  EXPECT_TRUE(r.error.isEmpty());
  EXPECT_FALSE(r.readFailed);
}

TEST(CsvReader, AnotherSeparatorLeavesCommasInsideCells) {
  const Read r = readCsv("a;b, c;\"d;e\"\r\n;;\r\n", ';');
  EXPECT_EQ(r.rows, (Rows{{"a", "b, c", "d;e"}, {"", "", ""}}));
}

TEST(CsvReader, BlankLinesMakeNoRowButCountAsTheSpreadsheetShowsThem) {
  const Read r = readCsv("h1,h2\r\n\r\n1,2\r\n\n\n3,4\r\n");
  EXPECT_EQ(r.rows, (Rows{{"h1", "h2"}, {"1", "2"}, {"3", "4"}}));
  EXPECT_EQ(r.rowNumbers, (QList<int>{1, 3, 6}));
}

TEST(CsvReader, BrokenQuotesStopTheReadingAndSayWhere) {
  const Read unclosed = readCsv("h\r\nok\r\n\"never closed,\r\nmore\r\n");
  EXPECT_EQ(unclosed.rows.size(), 2);
  EXPECT_EQ(unclosed.error, u"σειρά 3: τα εισαγωγικά ενός κελιού δεν κλείνουν ως το τέλος του αρχείου"_s);

  const Read after = readCsv("h1,h2\r\nx,\"quoted\"tail\r\n");
  EXPECT_EQ(after.rows.size(), 1);
  EXPECT_EQ(after.error, u"σειρά 2, κελί 2: κείμενο μετά τα εισαγωγικά που κλείνουν το κελί"_s);
}

TEST(CsvReader, ACellAcrossTheReadingBlocksComesOutWhole) {
  // Short rows up to just before the end of the first 1 MiB block, then a cell across it.
  QByteArray csv = "h\r\n";
  while (csv.size() < (1 << 20) - 500) csv += "r\r\n";
  const QByteArray longCell(1000, 'x');
  const Read r = readCsv(csv + "\"" + longCell + ",\"\"\"\r\nnext\r\n");
  ASSERT_GE(r.rows.size(), 3);
  EXPECT_EQ(r.rows[r.rows.size() - 2], QList<QByteArray>{longCell + ",\""});
  EXPECT_EQ(r.rows.last(), QList<QByteArray>{"next"});
}

TEST(CsvReader, ARowLongerThanAnyCatalogueRowStopsTheReading) {
  const Read r = readCsv("h\r\n\"" + QByteArray(CsvReader::kLongestRow, 'x') + "\"\r\nnext\r\n");
  EXPECT_EQ(r.rows.size(), 1);
  EXPECT_EQ(r.error,
            u"σειρά 2: τα εισαγωγικά ενός κελιού κλείνουν μόνο μετά από 65536 byte, όσα δεν έχει καμία "
            "γραμμή καταλόγου· μάλλον λείπουν εκεί που έπρεπε να κλείνουν"_s);
}

TEST(CsvReader, ADeviceThatFailsIsAReadFailureNotTheEnd) {
  QBuffer closed;  // never opened: every read fails
  CsvReader reader(closed);
  QList<QByteArray> row;
  EXPECT_FALSE(reader.next(row));
  EXPECT_TRUE(reader.readFailed());
}
