// The librarian's daily copy: a year of starts on a fake calendar, and every
// failing file call of a copy leaving no copy and no working file behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "catalogue/file/CatalogueBackup.h"
#include "support/CatalogueTestFiles.h"
#include "support/FaultyFileIo.h"

using namespace Qt::StringLiterals;

namespace {

using Outcome = CatalogueBackup::Result::Outcome;

class BackupTest : public ::testing::Test {
 protected:
  QString folderEntries() const { return QDir(backup.folder()).entryList(QDir::Files).join(u' '); }
  QByteArray dayImage(const QDate& day) const { return numberedRecords(2) + day.toString(Qt::ISODate).toLatin1(); }

  QTemporaryDir dir;
  QString catalogue = dir.filePath(u"Zelkor.dat"_s);
  FaultyFileIoFactory files;
  CatalogueBackup backup{catalogue, files};
};

// Files in the folder that are not dated copies are the librarian's own.
TEST_F(BackupTest, AYearOfStartsKeepsTheLastFourteenDaysAndTheFirstCopyOfEachOfTwelveMonths) {
  const QDate first(2026, 1, 1), last(2027, 1, 15);
  ASSERT_TRUE(QDir().mkpath(backup.folder()));
  for (const char* own : {"Zelkor-old.dat", "notes.txt"}) writeAll(backup.folder() + u'/' + QLatin1String(own), "x");
  for (QDate day = first; day <= last; day = day.addDays(1)) {
    writeAll(catalogue, dayImage(day));
    ASSERT_EQ(backup.takeDaily(day).outcome, Outcome::Copied) << day.toString().toStdString();
    // A second start the same day copies nothing, even after a change.
    writeAll(catalogue, numberedRecords(3));
    ASSERT_EQ(backup.takeDaily(day).outcome, Outcome::AlreadyToday);
  }
  QStringList expected{u"Zelkor-old.dat"_s, u"notes.txt"_s};
  for (int month = 2; month <= 12; ++month) expected.append(CatalogueBackup::copyName(QDate(2026, month, 1)));
  // January 2027 is both the first of its month and among the last fourteen days.
  for (int day = 1; day <= 15; ++day) expected.append(CatalogueBackup::copyName(QDate(2027, 1, day)));
  expected.sort(Qt::CaseInsensitive);
  EXPECT_EQ(folderEntries(), expected.join(u' '));
  // Each copy holds the catalogue as it was on its day.
  for (const QDate day : {QDate(2026, 2, 1), QDate(2027, 1, 2), last})
    EXPECT_EQ(readAll(backup.folder() + u'/' + CatalogueBackup::copyName(day)), dayImage(day));
}

// Every file call of a copy fails in turn, once as a failing disk and once as
// a short write: the copy is reported, the catalogue untouched, nothing left
// in the folder, and the next start makes the copy.
TEST_F(BackupTest, AFailedCopyLeavesNothingBehindAndTheNextStartCopies) {
  const QDate today(2026, 12, 7);
  const QByteArray image = numberedRecords(3);
  writeAll(catalogue, image);
  ASSERT_EQ(backup.takeDaily(today).outcome, Outcome::Copied);
  const int calls = files.calls();
  ASSERT_GE(calls, 6);
  ASSERT_TRUE(files.log().join(u' ').contains(u"writeAt 0 1050"_s));

  for (const bool shortWrite : {false, true}) {
    for (int n = 1; n <= calls; ++n) {
      SCOPED_TRACE((shortWrite ? "short write, call " : "full disk, call ") + std::to_string(n));
      QDir(backup.folder()).removeRecursively();
      files.reset();
      if (shortWrite)
        files.shortenWrite(n, 100, EIO);
      else
        files.failCall(n, EIO);
      const CatalogueBackup::Result failed = backup.takeDaily(today);
      EXPECT_EQ(failed.outcome, Outcome::Failed);
      EXPECT_EQ(failed.systemError, EIO);
      EXPECT_EQ(folderEntries(), QString());
      EXPECT_EQ(readAll(catalogue), image);

      files.reset();
      EXPECT_EQ(backup.takeDaily(today).outcome, Outcome::Copied);
      EXPECT_EQ(readAll(backup.folder() + u'/' + CatalogueBackup::copyName(today)), image);
    }
  }
}

// Pruning comes before the copy, so a disk that old copies fill still gets
// rid of them; a full disk is tried once more, and a disk that stays full
// leaves no working file.
TEST_F(BackupTest, AFullDiskIsPrunedAndTriedOnceMore) {
  const QDate today(2026, 12, 7);
  writeAll(catalogue, numberedRecords(2));
  ASSERT_TRUE(QDir().mkpath(backup.folder()));
  for (int n = 60; n >= 31; --n) writeAll(backup.folder() + u'/' + CatalogueBackup::copyName(today.addDays(-n)), "x");

  files.failEvery(FaultyFileIoFactory::Kind::Write, 0, ENOSPC);
  const CatalogueBackup::Result failed = backup.takeDaily(today);
  EXPECT_EQ(failed.outcome, Outcome::Failed);
  EXPECT_EQ(failed.systemError, ENOSPC);
  EXPECT_EQ(QDir(backup.folder()).entryList(QDir::Files).size(), CatalogueBackup::kDailyCopies + 1)
      << folderEntries().toStdString();  // the 14 newest and the first of November

  files.reset();
  files.failCall(4, ENOSPC);
  ASSERT_TRUE(files.log().isEmpty());
  EXPECT_EQ(backup.takeDaily(today).outcome, Outcome::Copied);
  EXPECT_TRUE(files.faultHit());
  EXPECT_EQ(readAll(backup.folder() + u'/' + CatalogueBackup::copyName(today)), numberedRecords(2));
  EXPECT_FALSE(folderEntries().contains(u"copying"_s));
}

// A clock set ahead for one start keeps the fourteen newest real copies; the
// copy it dated in the future stays until each of the fourteen days before
// the corrected date has a copy of its own.
TEST_F(BackupTest, AClockSetAheadNeverTakesTheHistoryWithIt) {
  const QDate last(2026, 12, 7), ahead(2028, 6, 15);
  writeAll(catalogue, numberedRecords(1));
  for (int n = 27; n >= 0; --n) ASSERT_EQ(backup.takeDaily(last.addDays(-n)).outcome, Outcome::Copied);
  ASSERT_EQ(backup.takeDaily(ahead).outcome, Outcome::Copied);
  QStringList expected{CatalogueBackup::copyName(ahead)};
  for (int n = 13; n >= 0; --n) expected.append(CatalogueBackup::copyName(last.addDays(-n)));
  expected.sort();
  EXPECT_EQ(folderEntries(), expected.join(u' '));

  // Back to the right date: the future copy goes, for the fourteen days
  // before it each have a copy.
  ASSERT_EQ(backup.takeDaily(last.addDays(1)).outcome, Outcome::Copied);
  EXPECT_FALSE(folderEntries().contains(CatalogueBackup::copyName(ahead)));

  // With a thin history the future copy stays: it may be the newest there is.
  const QList<QDate> thin{QDate(2026, 11, 2), QDate(2026, 12, 1), ahead};
  EXPECT_EQ(CatalogueBackup::datesToKeep(thin, last), thin);
}

#ifdef Q_OS_UNIX
// A link planted under the working name is removed, never written through,
// and a copy is exactly as private as the catalogue.
TEST_F(BackupTest, TheWorkingFileIsAlwaysNewAndTheCopyKeepsThePermissions) {
  writeAll(catalogue, numberedRecords(2));
  const QString victim = dir.filePath(u"victim.dat"_s);
  writeAll(victim, "keep me");
  ASSERT_TRUE(QDir().mkpath(backup.folder()));
  ASSERT_TRUE(QFile::link(victim, backup.folder() + u"/Zelkor.dat.copying"_s));

  const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
  for (const QFileDevice::Permissions bits : {owner, owner | QFileDevice::ReadGroup}) {
    ASSERT_TRUE(QFile::setPermissions(catalogue, bits));
    const QDate day = bits == owner ? QDate(2026, 12, 7) : QDate(2026, 12, 8);
    ASSERT_EQ(backup.takeDaily(day).outcome, Outcome::Copied);
    const QString copy = backup.folder() + u'/' + CatalogueBackup::copyName(day);
    EXPECT_EQ(readAll(copy), numberedRecords(2));
    EXPECT_EQ(QFile::permissions(copy) & 0xF0FF, bits);  // owner, group and others
  }
  EXPECT_EQ(readAll(victim), "keep me");
  EXPECT_FALSE(QFileInfo(backup.folder() + u"/Zelkor.dat.copying"_s).isSymLink());
}
#endif

TEST_F(BackupTest, AFolderThatCannotBeMadeGivesTheSystemsReason) {
  writeAll(catalogue, numberedRecords(1));
  writeAll(backup.folder(), "a file where the folder goes");
  const CatalogueBackup::Result failed = backup.takeDaily(QDate(2026, 12, 7));
  EXPECT_EQ(failed.outcome, Outcome::Failed);
  EXPECT_EQ(failed.systemError, ENOTDIR);
}

}  // namespace
