#include <gtest/gtest.h>

#include "BenchRuns.h"
#include "CatalogueGenerator.h"
#include "support/TempCatalogue.h"

namespace {

// 1,000 records: the marker is in 10 of them for the author-title search
// and in the titles of records 250 and 650.
constexpr int kRecords = 1000;
constexpr long long kTitleMatches = 2;
constexpr long long kAuthorTitleMatches = 10;

class BenchRunsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QByteArray bytes(kRecords * benchgen::kRecordBytes, ' ');
    for (int n = 1; n <= kRecords; ++n) benchgen::encodeRecord(n, bytes.data() + (n - 1) * benchgen::kRecordBytes);
    m_catalogue.setBytes(bytes);
  }

  TempCatalogue m_catalogue;
};

}  // namespace

// The benchmark is only worth its figures while the searches it times still
// behave: these are the checks that make `make bench` fail when they do not.
TEST_F(BenchRunsTest, TheThreeSearchesPassTheirChecksAndLeaveTheCatalogueAsItWas) {
  const QByteArray before = m_catalogue.bytes();
  Bench bench(2);
  BenchWorld world;
  Searches searches;
  runRecordWindow(bench, world, QString(), kTitleMatches, searches);
  runPageWindow(bench, world, QString(), kAuthorTitleMatches, searches);

  EXPECT_FALSE(bench.failed());
  EXPECT_GT(searches.notFound.seconds, 0);
  EXPECT_GT(searches.allNo.seconds, 0);
  EXPECT_GT(searches.page.seconds, 0);
  // The last run of the page search: one full page, then the last records.
  EXPECT_EQ(world.dialogs.questions, 2);
  EXPECT_EQ(world.dialogs.inputs, 1);
  EXPECT_EQ(world.sink.jobs, 0);
  EXPECT_EQ(m_catalogue.bytes(), before);
}

TEST_F(BenchRunsTest, ASearchThatAsksTooFewOrTooManyQuestionsFailsTheRun) {
  {
    Bench bench(1);
    BenchWorld world;
    Searches searches;
    runRecordWindow(bench, world, QStringLiteral("allno"), kTitleMatches + 1, searches);
    EXPECT_TRUE(bench.failed());
  }
  {
    Bench bench(1);
    BenchWorld world;
    Searches searches;
    runPageWindow(bench, world, QString(), kAuthorTitleMatches + 8, searches);
    EXPECT_TRUE(bench.failed());
  }
}

TEST_F(BenchRunsTest, NamingOneSearchRunsOnlyThatOne) {
  Bench bench(1);
  BenchWorld world;
  Searches searches;
  runRecordWindow(bench, world, QStringLiteral("notfound"), -1, searches);
  runPageWindow(bench, world, QStringLiteral("notfound"), -1, searches);
  EXPECT_FALSE(bench.failed());
  EXPECT_GT(searches.notFound.seconds, 0);
  EXPECT_EQ(searches.allNo.seconds, 0);
  EXPECT_EQ(searches.page.seconds, 0);
}
