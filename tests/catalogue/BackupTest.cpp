// The librarian's daily copy: a year of starts on a fake calendar, and every
// failing file call of a copy leaving no copy and no working file behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "catalogue/CatalogueBackup.h"
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

// Every file call of a copy fails in turn, once as a full disk and once as a
// short write: the copy is reported, the catalogue untouched, nothing left in
// the folder, and the next start makes the copy.
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
        files.shortenWrite(n, 100);
      else
        files.failCall(n, ENOSPC);
      const CatalogueBackup::Result failed = backup.takeDaily(today);
      EXPECT_EQ(failed.outcome, Outcome::Failed);
      EXPECT_EQ(failed.systemError, ENOSPC);
      EXPECT_EQ(folderEntries(), QString());
      EXPECT_EQ(readAll(catalogue), image);

      files.reset();
      EXPECT_EQ(backup.takeDaily(today).outcome, Outcome::Copied);
      EXPECT_EQ(readAll(backup.folder() + u'/' + CatalogueBackup::copyName(today)), image);
    }
  }
}

TEST_F(BackupTest, AFolderThatCannotBeMadeGivesTheSystemsReason) {
  writeAll(catalogue, numberedRecords(1));
  writeAll(backup.folder(), "a file where the folder goes");
  const CatalogueBackup::Result failed = backup.takeDaily(QDate(2026, 12, 7));
  EXPECT_EQ(failed.outcome, Outcome::Failed);
  EXPECT_EQ(failed.systemError, ENOTDIR);
}

}  // namespace
