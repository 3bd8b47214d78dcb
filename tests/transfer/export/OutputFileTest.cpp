#include <QDir>

#include "TransferFixture.h"
#include "support/FaultyFileIo.h"
#include "transfer/export/OutputFile.h"

namespace {

// Two blocks and a little of distinct bytes.
QByteArray manyBytes() {
  QByteArray bytes;
  for (int i = 0; bytes.size() < 2 * 1048576 + 1000; ++i) bytes += QByteArray::number(i) + ' ';
  return bytes;
}

// Appends `bytes` as a format does, a piece at a time.
bool writeInPieces(OutputFile& out, const QByteArray& bytes) {
  for (qsizetype at = 0; at < bytes.size(); at += 4000) {
    out.buffer().append(bytes.mid(at, 4000));
    if (!out.writeIfFull()) return false;
  }
  return true;
}

}  // namespace

TEST_F(TransferTest, AnOutputFileTakesItsNameOnlyWhenCommittedAndTheOldFileStaysWholeUntilThen) {
  const QString path = file(u"out.csv"_s);
  writeAll(path, "the old file");
  const QByteArray bytes = manyBytes();
  {
    OutputFile out(path);
    ASSERT_TRUE(out.open());
    ASSERT_TRUE(writeInPieces(out, bytes));
    EXPECT_EQ(readAll(path), "the old file");
    EXPECT_TRUE(QFile::exists(out.partPath()));
    ASSERT_TRUE(out.commit()) << out.error().toStdString();
  }
  EXPECT_EQ(readAll(path), bytes);
  EXPECT_EQ(QDir(cat.dir()).entryList(QDir::Files), QStringList{u"out.csv"_s});

  {
    OutputFile unfinished(path);
    ASSERT_TRUE(unfinished.open());
    ASSERT_TRUE(writeInPieces(unfinished, "new"));
  }
  EXPECT_EQ(readAll(path), bytes);
  EXPECT_EQ(QDir(cat.dir()).entryList(QDir::Files), QStringList{u"out.csv"_s});
}

TEST_F(TransferTest, AFailedWriteOrSyncNamesTheFileAndTheReasonAndLeavesTheOldFile) {
  const QString path = file(u"out.csv"_s);
  writeAll(path, "the old file");
  FaultyFileIoFactory files;
  // The second block's write fails.
  files.failEvery(FaultyFileIoFactory::Kind::Write, 1, ENOSPC);
  {
    OutputFile out(path, files.make());
    ASSERT_TRUE(out.open());
    EXPECT_FALSE(writeInPieces(out, manyBytes()) && out.commit());
    EXPECT_EQ(out.error(), u"Δεν ήταν δυνατή η εγγραφή στο αρχείο «out.csv»: ο δίσκος είναι γεμάτος."_s);
    EXPECT_FALSE(QFile::exists(out.partPath()));
  }
  files.reset();
  files.failCall(3, EIO);  // open, the one write, then the sync
  {
    OutputFile out(path, files.make());
    ASSERT_TRUE(out.open());
    EXPECT_TRUE(writeInPieces(out, "short"));
    EXPECT_FALSE(out.commit());
    EXPECT_EQ(out.error(), u"Δεν ήταν δυνατή η εγγραφή στο αρχείο «out.csv»: σφάλμα εισόδου/εξόδου του δίσκου."_s);
  }
  EXPECT_EQ(readAll(path), "the old file");
  EXPECT_EQ(QDir(cat.dir()).entryList(QDir::Files), QStringList{u"out.csv"_s});

  OutputFile nowhere(file(u"no/such/folder/out.csv"_s));
  EXPECT_FALSE(nowhere.open());
  EXPECT_EQ(nowhere.error(),
            u"Δεν ήταν δυνατή η εγγραφή στο αρχείο «out.csv»: το αρχείο ή ο φάκελός του δεν υπάρχει."_s);
}

TEST_F(TransferTest, APartFileIsAlwaysMadeNewNeverThroughALinkAndALeftoverGoes) {
  const QString path = file(u"out.csv"_s);
  const QString part = OutputFile::partPathFor(path);
  writeAll(file(u"victim"_s), "keep");
  // A user's own file named like an old part file is not the program's to touch.
  writeAll(file(u"out.csv.part"_s), "the user's");
  for (const bool planted : {true, false}) {
    SCOPED_TRACE(planted);
    if (planted)
      ASSERT_TRUE(QFile::link(file(u"victim"_s), part));
    else
      writeAll(part, "left by a killed export");
    OutputFile out(path);
    ASSERT_TRUE(out.open()) << out.error().toStdString();
    ASSERT_TRUE(writeInPieces(out, "new") && out.commit());
    EXPECT_EQ(readAll(path), "new");
    EXPECT_FALSE(QFileInfo::exists(part) || QFileInfo(part).isSymLink());
  }
  EXPECT_EQ(readAll(file(u"victim"_s)), "keep");
  EXPECT_EQ(readAll(file(u"out.csv.part"_s)), "the user's");
  // The finished file is as readable as any new file of the user's.
  EXPECT_EQ(int(QFileInfo(path).permissions() & QFileDevice::ReadOther),
            ordinaryFilePermissions() & 04 ? int(QFileDevice::ReadOther) : 0);
}
