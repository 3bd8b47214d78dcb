#include <gtest/gtest.h>

#include <QSet>

#include "CatalogueGenerator.h"
#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"
#include "catalogue/search/RecordScan.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kSample = 20000;

QString storedField(const char* record, int i) {
  return cp1253::decode(record + CatalogueRecord::kOffset[i], CatalogueRecord::kWidth[i]);
}

}  // namespace

// The searches the benchmark times rely on where the marker and the absent
// text are, as the product's own matcher sees the stored bytes.
TEST(CatalogueGenerator, MarkerSitsInOneHundredthOfRecordsAndTheAbsentTextNowhere) {
  const FieldMatcher anyField(benchgen::marker(), {0, 1, 2, 3, 4, 5});
  const FieldMatcher authorTitle(benchgen::marker(), {0, 1, 2, 3});
  const FieldMatcher title(benchgen::marker(), {2});
  const FieldMatcher absent(benchgen::absentText(), {0, 1, 2, 3, 4, 5});
  int marked = 0, titles = 0;
  char record[benchgen::kRecordBytes];
  for (int n = 1; n <= kSample; ++n) {
    benchgen::encodeRecord(n, record);
    ASSERT_EQ(anyField.matches(record), benchgen::hasMarker(n)) << "record " << n;
    ASSERT_EQ(authorTitle.matches(record), benchgen::hasMarker(n)) << "record " << n;
    ASSERT_FALSE(absent.matches(record)) << "record " << n;
    if (benchgen::hasMarker(n)) {
      ASSERT_TRUE(storedField(record, benchgen::markerField(n)).contains(benchgen::marker())) << "record " << n;
    }
    marked += authorTitle.matches(record);
    titles += title.matches(record);
  }
  EXPECT_EQ(marked, kSample / 100);
  EXPECT_EQ(titles, kSample / 400);
}

TEST(CatalogueGenerator, RecordsAreStoredTextPaddedWithBlanksAndTheSameEveryTime) {
  char record[benchgen::kRecordBytes];
  char again[benchgen::kRecordBytes];
  QSet<QString> titles;
  for (int n = 1; n <= 2000; ++n) {
    benchgen::encodeRecord(n, record);
    benchgen::encodeRecord(n, again);
    ASSERT_EQ(QByteArray(record, sizeof record), QByteArray(again, sizeof again));
    const auto fields = benchgen::fields(n);
    for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) {
      bool encodable = true;
      cp1253::encode(fields[size_t(i)], &encodable);
      ASSERT_TRUE(encodable) << qPrintable(fields[size_t(i)]);
      ASSERT_EQ(storedField(record, i),
                fields[size_t(i)].left(CatalogueRecord::kWidth[i]).leftJustified(CatalogueRecord::kWidth[i]))
          << "record " << n << " field " << i;
    }
    titles.insert(fields[2]);
  }
  // Varied enough that a search is not decided by the first few records.
  EXPECT_GT(titles.size(), 1500);
}

TEST(CatalogueGenerator, DeletedRecordsCarryTheMarkInEveryField) {
  char record[benchgen::kRecordBytes];
  benchgen::encodeRecord(123, record);
  ASSERT_TRUE(benchgen::isDeleted(123));
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i)
    EXPECT_EQ(storedField(record, i), u"~~~"_s.leftJustified(CatalogueRecord::kWidth[i]));
  EXPECT_FALSE(benchgen::isDeleted(124));
}
