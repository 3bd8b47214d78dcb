#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "catalogue/search/RecordScan.h"
#include "catalogue/search/ScanCursor.h"
#include "support/CatalogueTestFiles.h"

using namespace Qt::StringLiterals;

namespace {

class RecordScanTest : public ::testing::Test {
 protected:
  // Scans the whole file and checks each record against a plain read, then
  // that the scan ends exactly where reading finds no more stored records.
  void expectScanAgreesWithRead(const QByteArray& image) {
    writeAll(path, image);
    CatalogueFile file;
    ASSERT_TRUE(file.open(path));
    RecordScan scan(file);
    const qint32 stored = qint32((image.size() + 349) / 350);
    for (qint32 n = 1; n <= stored + 2; ++n) {
      CatalogueRecord expected;
      ASSERT_TRUE(file.read(n, expected));
      const char* got = scan.record(n);
      if (!expected.isStored()) {
        EXPECT_EQ(got, nullptr) << n;
        continue;
      }
      ASSERT_NE(got, nullptr) << n;
      ASSERT_EQ(QByteArray(got, 350), QByteArray(expected.bytes(), 350)) << n;
    }
    EXPECT_FALSE(scan.failed());
  }

  QTemporaryDir dir;
  QString path = dir.filePath(u"Zelkor.dat"_s);
};

TEST_F(RecordScanTest, AgreesWithReadOnSmallFilesAndTornTails) {
  for (int length : {0, 1, 174, 175, 176, 349, 350, 351, 700, 1049, 1050})
    expectScanAgreesWithRead(numberedRecords(4).left(length));
}

TEST_F(RecordScanTest, AgreesWithReadAcrossBlockBoundaries) {
  // 3000 records plus a torn tail: about three blocks, with records that start
  // just before each block's end.
  expectScanAgreesWithRead(numberedRecords(3000) + QByteArray(120, 'x'));
}

TEST_F(RecordScanTest, RecordsAskedOutOfOrderAreStillRight) {
  const QByteArray image = numberedRecords(4000);
  writeAll(path, image);
  CatalogueFile file;
  ASSERT_TRUE(file.open(path));
  RecordScan scan(file);
  for (qint32 n : {3999, 2, 3000, 1, 4000, 2996, 2997}) {
    const char* got = scan.record(n);
    ASSERT_NE(got, nullptr) << n;
    EXPECT_EQ(QByteArray(got, 350), image.mid((n - 1) * 350, 350)) << n;
  }
  EXPECT_EQ(scan.record(4001), nullptr);
  EXPECT_EQ(scan.record(0), nullptr);
}

TEST_F(RecordScanTest, AClosedFileFailsTheScan) {
  CatalogueFile file;
  RecordScan scan(file);
  EXPECT_EQ(scan.record(1), nullptr);
  EXPECT_TRUE(scan.failed());
  EXPECT_EQ(file.lastError().operation, CatalogueError::Operation::Read);
}

// Matches the records whose first byte is in `firsts`: any matcher will do.
class FirstByteMatcher : public RecordMatcher {
 public:
  explicit FirstByteMatcher(QByteArray firsts) : m_firsts(std::move(firsts)) {}
  bool matches(const char* record) const override { return record && m_firsts.contains(record[0]); }

 private:
  QByteArray m_firsts;
};

TEST_F(RecordScanTest, TheCursorStopsAtEachMatchAndReportsEveryPositionOnePastTheCount) {
  QByteArray image = numberedRecords(5);
  image[350 * 1] = 'm';
  image[350 * 4] = 'm';
  writeAll(path, image);
  CatalogueFile file;
  ASSERT_TRUE(file.open(path));
  const FirstByteMatcher matcher("m");
  QList<qint32> examined;
  const auto note = [&](qint32 n) { examined.append(n); };

  ScanCursor cursor(file, 5, matcher);
  ASSERT_EQ(cursor.next(note), ScanCursor::Stop::Match);
  EXPECT_EQ(cursor.match(), 2);
  EXPECT_FALSE(cursor.matchIsLast());
  ASSERT_EQ(cursor.next(note), ScanCursor::Stop::Match);
  EXPECT_EQ(cursor.match(), 5);
  EXPECT_TRUE(cursor.matchIsLast());
  // The pass one past the count reads nothing and reports the full count again.
  EXPECT_EQ(cursor.next(note), ScanCursor::Stop::End);
  EXPECT_EQ(examined, (QList<qint32>{1, 2, 3, 4, 5, 5}));
  EXPECT_EQ(cursor.next(note), ScanCursor::Stop::End);
  EXPECT_EQ(examined.size(), 6);

  // A count beyond the stored records finds nothing there; a start skips ahead.
  examined.clear();
  ScanCursor late(file, 7, matcher, 3);
  ASSERT_EQ(late.next(note), ScanCursor::Stop::Match);
  EXPECT_EQ(late.match(), 5);
  EXPECT_EQ(late.next(note), ScanCursor::Stop::End);
  EXPECT_EQ(examined, (QList<qint32>{1, 2, 3, 4, 5, 6}));
}

TEST_F(RecordScanTest, TheCursorStopsAtAFailedRead) {
  CatalogueFile file;
  const FirstByteMatcher matcher("m");
  ScanCursor cursor(file, 3, matcher);
  EXPECT_EQ(cursor.next([](qint32) {}), ScanCursor::Stop::Failed);
  EXPECT_EQ(file.lastError().operation, CatalogueError::Operation::Read);
}

TEST(FieldMatcher, ComparesTheEncodedTextWithThePaddedFieldBytes) {
  const QByteArray book =
      recordWithFields({u"Καζαντζάκης Νίκος"_s, QString(), u"Ο Καπετάν Μιχάλης"_s, u"Αθήνα: Εκδόσεις Καζαντζάκη"_s});
  const QByteArray deleted = QByteArray(CatalogueRecord::deletionMark().bytes(), 350);
  const auto matches = [](const QString& text, std::vector<int> fields, const QByteArray& record) {
    return FieldMatcher(text, std::move(fields)).matches(record.constData());
  };

  EXPECT_TRUE(matches(u"Καπετάν"_s, {2}, book));
  EXPECT_FALSE(matches(u"καπετάν"_s, {2}, book)) << "case matters";
  EXPECT_FALSE(matches(u"Καπετάν"_s, {0, 1}, book)) << "only the fields asked";
  EXPECT_TRUE(matches(u"Καζαντζάκη"_s, {0, 3}, book));
  // Blanks are part of the field: padding matches trailing blanks and a single blank.
  EXPECT_TRUE(matches(u"Νίκος   "_s, {0}, book));
  EXPECT_TRUE(matches(u" "_s, {1}, book));
  EXPECT_FALSE(matches(u"Μιχάλης"_s + QString(84, u' '), {2}, book)) << "longer than what is left";
  EXPECT_TRUE(matches(u"Μιχάλης"_s + QString(83, u' '), {2}, book));
  EXPECT_FALSE(matches(QString(51, u' '), {1}, book)) << "longer than the field";
  // A match never runs from one field into the next.
  EXPECT_FALSE(matches(u"  Αθήνα"_s, {3}, book));
  EXPECT_TRUE(matches(u"~~~"_s, {5}, deleted));
  EXPECT_TRUE(matches(u"~"_s, {0}, deleted));
  EXPECT_FALSE(matches(u"~"_s, {0}, book));
}

TEST(FieldMatcher, EmptyOrUnencodableTextsMatchNothing) {
  const QByteArray odd = recordWithFields({u"Wh? ???"_s, u"x"_s});
  EXPECT_FALSE(FieldMatcher(QString(), {0, 1}).matches(odd.constData()));
  // The stored '?' must not answer for a character the code page cannot hold.
  EXPECT_FALSE(FieldMatcher(u"Wh\u043E"_s, {0}).matches(odd.constData()));
  EXPECT_FALSE(FieldMatcher(u"😀"_s, {0}).matches(odd.constData()));
  EXPECT_TRUE(FieldMatcher(u"?"_s, {0}).matches(odd.constData()));
  EXPECT_FALSE(FieldMatcher(u"?"_s, {0}).matches(nullptr));
}

}  // namespace
