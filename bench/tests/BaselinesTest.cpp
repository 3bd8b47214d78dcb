#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "Baselines.h"
#include "CatalogueGenerator.h"
#include "catalogue/Cp1253.h"

namespace {

// Enough records to cross several 1 MiB blocks, then a partial record that
// no scan counts.
constexpr int kRecords = 7000;

class BaselinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("Zelkor.dat"));
    QFile f(m_path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    char record[benchgen::kRecordBytes];
    for (int n = 1; n <= kRecords; ++n) {
      benchgen::encodeRecord(n, record);
      f.write(record, sizeof record);
    }
    ASSERT_EQ(benchgen::markerField(kRecords + 250), 0);
    benchgen::encodeRecord(kRecords + 250, record);  // the marker lies within the bytes present
    f.write(record, 100);
  }

  QTemporaryDir m_dir;
  QString m_path;
};

}  // namespace

TEST_F(BaselinesTest, ScansCountTheSameMatchesAsTheGeneratorPlanted) {
  const QByteArray marker = cp1253::encode(benchgen::marker());
  const baseline::Result block = baseline::blockRead(m_path);
  EXPECT_TRUE(block.ok);
  EXPECT_EQ(block.bytes, qint64(kRecords) * benchgen::kRecordBytes + 100);

  for (const std::vector<int>& fields : {std::vector<int>{2}, std::vector<int>{0, 1, 2, 3}}) {
    const long long planted = fields.size() == 1 ? kRecords / 400 : kRecords / 100;
    const baseline::Result memmem = baseline::fieldMemmem(m_path, marker, fields);
    const baseline::Result perRecord = baseline::perRecordRead(m_path, marker, fields);
    EXPECT_TRUE(memmem.ok && perRecord.ok);
    EXPECT_EQ(memmem.matches, planted);
    EXPECT_EQ(perRecord.matches, planted);
    EXPECT_EQ(memmem.bytes, block.bytes);
    // The windows' scan also reads the torn last record, whose first field holds the marker.
    const long long torn = fields.size() == 1 ? 0 : 1;
    EXPECT_EQ(baseline::exactScan(m_path, benchgen::marker(), fields).matches, planted + torn);
    EXPECT_EQ(baseline::forgivingScan(m_path, QStringLiteral("λαβύρινθος"), fields).matches, planted + torn);
  }
  EXPECT_EQ(baseline::fieldMemmem(m_path, cp1253::encode(benchgen::absentText()), {0, 1, 2, 3, 4, 5}).matches, 0);
}

TEST_F(BaselinesTest, AMissingFileIsAFailedScanNotAnEmptyOne) {
  const QString missing = m_dir.filePath(QStringLiteral("missing.dat"));
  EXPECT_FALSE(baseline::blockRead(missing).ok);
  EXPECT_FALSE(baseline::fieldMemmem(missing, "x", {0}).ok);
  EXPECT_FALSE(baseline::perRecordRead(missing, "x", {0}).ok);
}
