#include "TransferFixture.h"
#include "support/FaultyFileIo.h"
#include "transfer/ReadAhead.h"

namespace {

// Blocks of records in file order, as the export reads them.
QList<QByteArray> blocksOf(CatalogueFile& file, bool* failed) {
  ReadAhead reader(file, file.recordCount());
  QList<QByteArray> blocks;
  const char* records;
  qint32 count;
  while (reader.next(records, count)) blocks.append(QByteArray(records, qsizetype(count) * CatalogueRecord::kLength));
  *failed = reader.failed();
  return blocks;
}

}  // namespace

TEST_F(TransferTest, ReadAheadGivesEveryRecordOnceWithATornTailFilledAndReportsAFailedRead) {
  // One block and a little, ending in a torn record long enough to count.
  QByteArray bytes;
  for (int n = 0; n < 3000; ++n) bytes += rec({QString::number(n)});
  const QByteArray torn(200, 'x');
  cat.setBytes(bytes + torn);
  FaultyFileIoFactory files;
  CatalogueFile file(files.make());
  ASSERT_TRUE(file.open(cat.path(), FileIo::Mode::ReadOnly));
  bool failed = true;
  const QList<QByteArray> blocks = blocksOf(file, &failed);
  EXPECT_FALSE(failed);
  EXPECT_EQ(blocks.join(), bytes + torn.leftJustified(CatalogueRecord::kLength, ' '));
  EXPECT_GT(blocks.size(), 1);

  // The second block's read, in the second thread, fails.
  files.failEvery(FaultyFileIoFactory::Kind::Read, 1, EIO);
  EXPECT_EQ(blocksOf(file, &failed).size(), 1);
  EXPECT_TRUE(failed);
  EXPECT_EQ(file.lastError().systemError, EIO);
}
