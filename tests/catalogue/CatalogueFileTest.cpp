#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "catalogue/file/CatalogueFile.h"
#include "support/CatalogueTestFiles.h"

using namespace Qt::StringLiterals;

namespace {

TEST(RecordCount, IsTheLengthInRecordsRoundedHalfToEvenAndNeverBelowOne) {
  const std::pair<qint64, qint32> rows[] = {
      {0, 1},   {174, 1}, {175, 1}, {176, 1}, {350, 1},  {524, 1},  {525, 2},  {526, 2},
      {700, 2}, {874, 2}, {875, 2}, {876, 3}, {1224, 3}, {1225, 4}, {1226, 4}, {4900, 14},
  };
  for (const auto& [length, count] : rows) EXPECT_EQ(CatalogueFile::recordCountForLength(length), count) << length;
  EXPECT_EQ(CatalogueFile::recordCountForLength(qint64(350) * std::numeric_limits<qint32>::max() * 4),
            std::numeric_limits<qint32>::max());
}

class CatalogueFileTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path = dir.filePath(u"Zelkor.dat"_s);
};

TEST_F(CatalogueFileTest, AMissingFileIsCreatedEmptyAndGrowsOnlyOnTheFirstWrite) {
  CatalogueFile file;
  ASSERT_TRUE(file.open(path));
  EXPECT_EQ(file.recordCount(), 1);
  EXPECT_EQ(readAll(path), QByteArray());
  CatalogueRecord r;
  ASSERT_TRUE(file.read(1, r));
  EXPECT_FALSE(r.isStored());

  r.setField(2, u"Ο Μικρός Πρίγκιπας"_s);
  ASSERT_TRUE(file.write(1, r));
  EXPECT_EQ(readAll(path), QByteArray(r.bytes(), 350));
  EXPECT_EQ(file.recordCount(), 1);
}

TEST_F(CatalogueFileTest, ReadOnlyOpeningOfAMissingFileShowsItEmptyAndCreatesNothing) {
  CatalogueFile file;
  ASSERT_TRUE(file.open(path, FileIo::Mode::ReadOnly));
  EXPECT_EQ(file.recordCount(), 1);
  CatalogueRecord r = CatalogueRecord::blank();
  ASSERT_TRUE(file.read(1, r));
  EXPECT_FALSE(r.isStored());
  EXPECT_FALSE(file.write(1, CatalogueRecord::blank()));
  EXPECT_EQ(
      file.lastError().describe(),
      u"Δεν ήταν δυνατό να γραφτεί η εγγραφή 1 στο αρχείο «Zelkor.dat»: το αρχείο δεν είναι ανοιχτό για εγγραφή."_s);
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(CatalogueFileTest, SavingARecordChangesOnlyItsOwnBytes) {
  const QByteArray before = numberedRecords(3);
  writeAll(path, before);
  CatalogueFile file;
  ASSERT_TRUE(file.open(path));
  EXPECT_EQ(file.recordCount(), 3);
  for (qint32 n = 1; n <= 3; ++n) {
    CatalogueRecord r;
    r.setField(0, u"Νέος"_s);
    ASSERT_TRUE(file.write(n, r));
    QByteArray expected = before;
    expected.replace((n - 1) * 350, 350, QByteArray(r.bytes(), 350));
    EXPECT_EQ(readAll(path), expected) << n;
    writeAll(path, before);
  }
}

TEST_F(CatalogueFileTest, NewRecordsGoToTheEndWithoutGaps) {
  writeAll(path, numberedRecords(12));
  CatalogueFile file;
  ASSERT_TRUE(file.open(path));
  ASSERT_TRUE(file.write(file.recordCount() + 1, CatalogueRecord::blank()));
  ASSERT_TRUE(file.write(file.recordCount() + 1, CatalogueRecord::blank()));
  EXPECT_EQ(file.recordCount(), 14);
  EXPECT_EQ(readAll(path).size(), 4900);
  EXPECT_EQ(readAll(path).right(700), QByteArray(700, ' '));
}

TEST_F(CatalogueFileTest, ADeletedRecordReadsBackMarkedAndStaysCounted) {
  writeAll(path, numberedRecords(3));
  CatalogueFile file;
  ASSERT_TRUE(file.open(path));
  ASSERT_TRUE(file.write(2, CatalogueRecord::deletionMark()));
  file.close();
  ASSERT_TRUE(file.open(path));
  EXPECT_EQ(file.recordCount(), 3);
  CatalogueRecord r;
  ASSERT_TRUE(file.read(2, r));
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) EXPECT_EQ(r.field(i).trimmed(), u"~~~"_s);
  EXPECT_EQ(readAll(path).size(), 1050);
}

TEST_F(CatalogueFileTest, RecordsAtOrPastTheEndAreAbsentAndATornTailIsBlankFilled) {
  QByteArray image = numberedRecords(2) + QByteArray("\xC1\xC2\xC3", 3);
  writeAll(path, image);
  CatalogueFile file;
  ASSERT_TRUE(file.open(path));
  EXPECT_EQ(file.recordCount(), 2);
  CatalogueRecord r;
  ASSERT_TRUE(file.read(3, r));
  EXPECT_TRUE(r.isStored());
  EXPECT_EQ(QByteArray(r.bytes(), 350), "\xC1\xC2\xC3" + QByteArray(347, ' '));
  for (qint32 n : {4, 1000, std::numeric_limits<qint32>::max(), 0, -5}) {
    r = CatalogueRecord::blank();
    ASSERT_TRUE(file.read(n, r)) << n;
    EXPECT_FALSE(r.isStored()) << n;
  }
}

TEST_F(CatalogueFileTest, ANewRecordAfterATornTailCompletesTheTornRecordWithBlanks) {
  // 1226 bytes count as four records, the fourth torn after 176 bytes.
  const QByteArray torn = numberedRecords(4).left(1226);
  writeAll(path, torn);
  CatalogueFile file;
  ASSERT_TRUE(file.open(path));
  ASSERT_EQ(file.recordCount(), 4);
  CatalogueRecord fourth;
  ASSERT_TRUE(file.read(4, fourth));
  ASSERT_TRUE(file.write(5, CatalogueRecord::blank()));
  EXPECT_EQ(readAll(path), torn + QByteArray(174 + 350, ' '));
  CatalogueRecord again;
  ASSERT_TRUE(file.read(4, again));
  EXPECT_EQ(QByteArray(again.bytes(), 350), QByteArray(fourth.bytes(), 350));
}

TEST_F(CatalogueFileTest, ReadsAfterAnotherProgramTruncatedTheFileGiveAbsentRecords) {
  writeAll(path, numberedRecords(5));
  CatalogueFile file;
  ASSERT_TRUE(file.open(path));
  ASSERT_TRUE(QFile::resize(path, 400));
  CatalogueRecord r;
  ASSERT_TRUE(file.read(2, r));
  EXPECT_EQ(QByteArray(r.bytes(), 350), numberedRecords(2).mid(350, 50) + QByteArray(300, ' '));
  ASSERT_TRUE(file.read(5, r));
  EXPECT_FALSE(r.isStored());
}

TEST_F(CatalogueFileTest, NeverWritesIntoAFileThatWasReplacedOrDeleted) {
  writeAll(path, numberedRecords(2));
  const QString aside = dir.filePath(u"old.dat"_s);

  CatalogueFile file;
  ASSERT_TRUE(file.open(path));
  ASSERT_TRUE(QFile::rename(path, aside));
  writeAll(path, numberedRecords(1));
  EXPECT_FALSE(file.write(1, CatalogueRecord::blank()));
  EXPECT_EQ(file.lastError().describe(),
            u"Δεν ήταν δυνατό να γραφτεί η εγγραφή 1 στο αρχείο «Zelkor.dat»: το αρχείο αντικαταστάθηκε ή "
            u"διαγράφηκε από άλλο πρόγραμμα μετά το άνοιγμά του."_s);
  EXPECT_EQ(readAll(path), numberedRecords(1));
  EXPECT_EQ(readAll(aside), numberedRecords(2));

  ASSERT_TRUE(file.open(path));
  ASSERT_TRUE(QFile::remove(path));
  EXPECT_FALSE(file.write(1, CatalogueRecord::blank()));
  EXPECT_EQ(file.lastError().systemError, CatalogueError::kFileReplaced);
  EXPECT_FALSE(QFile::exists(path));
}

TEST(CatalogueError, DescribesTheFileTheStepAndTheReasonInGreek) {
  const auto text = [](CatalogueError::Operation op, qint32 record, int error) {
    CatalogueError e;
    e.operation = op;
    e.record = record;
    e.systemError = error;
    e.fileName = u"Zelkor.dat"_s;
    return e.describe();
  };
  using Op = CatalogueError::Operation;
  EXPECT_EQ(text(Op::Write, 5, ENOSPC),
            u"Δεν ήταν δυνατό να γραφτεί η εγγραφή 5 στο αρχείο «Zelkor.dat»: ο δίσκος είναι γεμάτος."_s);
  EXPECT_EQ(text(Op::Open, 0, EACCES),
            u"Δεν ήταν δυνατό το άνοιγμα του αρχείου «Zelkor.dat»: δεν υπάρχει άδεια πρόσβασης στο αρχείο."_s);
  EXPECT_EQ(
      text(Op::Read, 12, EIO),
      u"Δεν ήταν δυνατή η ανάγνωση της εγγραφής 12 από το αρχείο «Zelkor.dat»: σφάλμα εισόδου/εξόδου του δίσκου."_s);
  EXPECT_EQ(text(Op::Sync, 3, EROFS),
            u"Δεν ήταν δυνατή η αποθήκευση της εγγραφής 3 του αρχείου «Zelkor.dat» στον δίσκο: ο δίσκος είναι μόνο για "
            u"ανάγνωση."_s);
  EXPECT_EQ(text(Op::Open, 0, EAGAIN),
            u"Δεν ήταν δυνατό το άνοιγμα του αρχείου «Zelkor.dat»: το αρχείο χρησιμοποιείται από άλλο πρόγραμμα."_s);
  EXPECT_TRUE(text(Op::Write, 2, EFBIG).endsWith(u": το αρχείο έφτασε το μέγιστο επιτρεπτό μέγεθος."_s));
  EXPECT_TRUE(text(Op::Open, 0, ENOENT).endsWith(u": το αρχείο ή ο φάκελός του δεν υπάρχει."_s));
  EXPECT_TRUE(text(Op::Open, 0, EMFILE).endsWith(u": υπάρχουν ήδη πάρα πολλά ανοιχτά αρχεία."_s));
  EXPECT_EQ(text(Op::Read, 4, EBADF),
            u"Δεν ήταν δυνατή η ανάγνωση της εγγραφής 4 από το αρχείο «Zelkor.dat»: το αρχείο δεν είναι ανοιχτό."_s);
  EXPECT_EQ(text(Op::Write, 0, EBADF),
            u"Δεν ήταν δυνατή η εγγραφή στο αρχείο «Zelkor.dat»: το αρχείο δεν είναι ανοιχτό για εγγραφή."_s);
  // Any other reason keeps the system's own number and text.
  EXPECT_EQ(text(Op::Open, 0, EXDEV),
            u"Δεν ήταν δυνατό το άνοιγμα του αρχείου «Zelkor.dat»: σφάλμα συστήματος %1 (%2)."_s.arg(EXDEV).arg(
                QString::fromLocal8Bit(strerror(EXDEV))));
  EXPECT_EQ(CatalogueError().describe(), QString());
}

TEST_F(CatalogueFileTest, AFolderInThePlaceOfTheFileIsRefusedInEitherMode) {
  ASSERT_TRUE(QDir(dir.path()).mkdir(u"Zelkor.dat"_s));
  CatalogueFile file;
  for (FileIo::Mode mode : {FileIo::Mode::ReadWrite, FileIo::Mode::ReadOnly}) {
    EXPECT_FALSE(file.open(path, mode));
    EXPECT_EQ(file.lastError().describe(),
              u"Δεν ήταν δυνατό το άνοιγμα του αρχείου «Zelkor.dat»: υπάρχει φάκελος με αυτό το όνομα."_s);
  }
}

#ifndef _WIN32  // Windows keeps no pipes in folders
TEST_F(CatalogueFileTest, APipeInThePlaceOfTheFileIsRefusedWithoutWaitingForAWriter) {
  ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0666), 0);
  CatalogueFile file;
  for (FileIo::Mode mode : {FileIo::Mode::ReadOnly, FileIo::Mode::ReadWrite}) {
    EXPECT_FALSE(file.open(path, mode));
    EXPECT_EQ(file.lastError().describe(),
              u"Δεν ήταν δυνατό το άνοιγμα του αρχείου «Zelkor.dat»: με αυτό το όνομα υπάρχει κάτι άλλο από "
              u"κανονικό αρχείο."_s);
  }
}
#endif

TEST_F(CatalogueFileTest, ErrorsNameTheFileWithoutItsDirectory) {
  const QString sub = dir.filePath(u"sub/Zelkor.dat"_s);
  CatalogueFile file;
  EXPECT_FALSE(file.open(sub));
  EXPECT_EQ(file.lastError().operation, CatalogueError::Operation::Open);
  EXPECT_EQ(file.lastError().fileName, u"Zelkor.dat"_s);
  EXPECT_EQ(file.lastError().systemError, ENOENT);
  EXPECT_FALSE(file.isOpen());
}

}  // namespace
