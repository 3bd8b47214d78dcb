#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "catalogue/file/CatalogueAppend.h"
#include "support/CatalogueTestFiles.h"
#include "support/FaultyFileIo.h"

namespace {

QByteArray appended(int count) {
  QByteArray out = numberedRecords(count);
  std::reverse(out.begin(), out.end());
  return out;
}

// Appends `count` records to a file that starts as `before`; returns what commit() said.
bool appendTo(const QString& path, FileIoFactory& files, int count, qint32* first = nullptr) {
  CatalogueFile file(files.make());
  if (!file.open(path)) return false;
  CatalogueAppend append(file);
  if (!append.begin()) return false;
  if (first) *first = append.firstNumber();
  const QByteArray records = appended(count);
  for (int i = 0; i < count; ++i)
    if (!append.add(records.constData() + qsizetype(i) * 350)) return false;
  return append.commit();
}

}  // namespace

TEST(CatalogueAppend, StartsWhereTheWindowsNewRecordWouldAndCompletesATornTail) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Zelkor.dat"));
  SystemFileIoFactory files;
  struct Case {
    QByteArray before;
    qint32 first;
    QByteArray after;
  };
  const QByteArray two = numberedRecords(2);
  const Case cases[] = {
      {{}, 1, {}},
      {two, 3, two},
      // A short torn tail (rounded away) is covered; a long one (rounded up) completed with blanks.
      {two + "short", 3, two},
      {two + QByteArray(200, 'x'), 4, two + QByteArray(200, 'x') + QByteArray(150, ' ')},
  };
  for (const Case& c : cases) {
    writeAll(path, c.before);
    qint32 first = 0;
    ASSERT_TRUE(appendTo(path, files, 5000, &first));
    EXPECT_EQ(first, c.first);
    EXPECT_EQ(readAll(path), c.after + appended(5000));
  }
}

TEST(CatalogueAppend, EveryFailedCallLeavesTheFileAsItWas) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Zelkor.dat"));
  const QByteArray before = numberedRecords(3) + "torn";
  FaultyFileIoFactory files;
  for (int n = 1;; ++n) {
    writeAll(path, before);
    files.reset();
    files.failCall(n, ENOSPC);
    const bool done = appendTo(path, files, 7000);
    if (!files.faultHit()) {
      ASSERT_TRUE(done);
      break;
    }
    EXPECT_FALSE(done) << "call " << n;
    EXPECT_EQ(readAll(path), before) << "call " << n << ": " << files.log().join(u", ").toStdString();
  }
}
