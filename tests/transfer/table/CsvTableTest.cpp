// The CSV table read from memory, as the import hands it the file it opened
// once: the device already read by the sniffing, the encoding and separator
// told from its start.
#include <gtest/gtest.h>

#include <QBuffer>

#include "catalogue/Cp1253.h"
#include "transfer/table/CsvTable.h"

using namespace Qt::StringLiterals;

namespace {

struct Table {
  QStringList rows;
  QString seen;
  QString error;
};

// Every row of `bytes` read as a CSV table, the device first read some way
// in, as telling the input's kind leaves it.
Table readTable(const QByteArray& bytes, qint64 readFirst = 4096) {
  QBuffer memory;
  memory.setData(bytes);
  memory.open(QIODevice::ReadOnly);
  memory.read(readFirst);
  QString error;
  const std::unique_ptr<TableReader> table = openCsvTable(memory, u"/nowhere/βιβλία.csv"_s, error);
  Table read;
  if (!table) {
    read.error = error;
    return read;
  }
  read.seen = table->seen();
  QStringList cells;
  while (table->next(cells)) read.rows.append(u"%1: %2"_s.arg(table->row()).arg(cells.join(u'|')));
  read.error = table->error();
  return read;
}

}  // namespace

TEST(CsvTable, ReadFromItsStartWhereverTheSniffingLeftTheDevice) {
  const Table table = readTable("\xEF\xBB\xBFΤίτλος,Συγγραφέας\r\n\"Η Φόνισσα\",\"Παπαδιαμάντης, Α.\"\r\n");
  EXPECT_EQ(table.rows, (QStringList{u"1: Τίτλος|Συγγραφέας"_s, u"2: Η Φόνισσα|Παπαδιαμάντης, Α."_s}));
  EXPECT_EQ(table.seen, u"CSV, UTF-8 με BOM, διαχωριστικό «,»"_s);
}

// Greek Excel's CSV: Windows-1253 and semicolons, told only far into the
// file when many Latin rows come first; the rows still begin at the first.
TEST(CsvTable, AnEncodingToldFarIntoTheFileStillReadsFromTheFirstRow) {
  QByteArray bytes = "Title;Author\r\n";
  for (int i = 0; i < 5000; ++i) bytes += "Latin title " + QByteArray::number(i) + ";Someone\r\n";
  bytes += cp1253::encode(u"Η Φόνισσα;Παπαδιαμάντης\r\n"_s);
  const Table table = readTable(bytes, bytes.size());
  ASSERT_EQ(table.rows.size(), 5002) << table.error.toStdString();
  EXPECT_EQ(table.rows.first(), u"1: Title|Author"_s);
  EXPECT_EQ(table.rows.last(), u"5002: Η Φόνισσα|Παπαδιαμάντης"_s);
  EXPECT_EQ(table.seen, u"CSV, Windows-1253, διαχωριστικό «;»"_s);
}

TEST(CsvTable, Utf16WithTabsAsExcelSavesUnicodeText) {
  QByteArray bytes("\xFF\xFE");
  const QString text = u"Τίτλος\tΣυγγραφέας\r\nΗ Φόνισσα\tΠαπαδιαμάντης\r\n"_s;
  bytes += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  const Table table = readTable(bytes);
  EXPECT_EQ(table.rows, (QStringList{u"1: Τίτλος|Συγγραφέας"_s, u"2: Η Φόνισσα|Παπαδιαμάντης"_s}));
  EXPECT_EQ(table.seen, u"CSV, UTF-16 LE, διαχωριστικό το Tab"_s);
}

TEST(CsvTable, ADeviceThatCannotBeReadIsNamedByTheFilesName) {
  QBuffer closed;
  QString error;
  EXPECT_EQ(openCsvTable(closed, u"/nowhere/βιβλία.csv"_s, error), nullptr);
  EXPECT_TRUE(error.contains(u"«βιβλία.csv»"_s)) << error.toStdString();
}
