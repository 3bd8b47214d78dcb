#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "catalogue/file/CatalogueFile.h"
#include "support/CatalogueTestFiles.h"
#include "support/FaultyFileIo.h"

using namespace Qt::StringLiterals;

namespace {

using Repeat = FaultyFileIoFactory::Repeat;

CatalogueRecord recordNamed(const QString& text) {
  CatalogueRecord r = CatalogueRecord::blank();
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) r.setField(i, text);
  return r;
}

QByteArray bytesOf(const CatalogueRecord& r) { return QByteArray(r.bytes(), 350); }

// A librarian's session over three records: open, read, save record 2, add
// records 4 and 5, save record 4 again. Like the program, it stops at the
// first failure. Afterwards the file must be whole: the image before the
// failed step, or (when the fault left no way to undo it) each record holding
// its old or its new bytes; and a step reported as done must be on disk.
class FaultLoop : public ::testing::Test {
 protected:
  struct Step {
    qint32 record;
    CatalogueRecord data;
  };

  void SetUp() override {
    writeAll(path, original);
    steps = {{2, recordNamed(u"Δεύτερη"_s)},
             {4, recordNamed(u"Τέταρτη"_s)},
             {5, CatalogueRecord::blank()},
             {4, recordNamed(u"Τέταρτη, διορθωμένη"_s)}};
  }

  // Runs the session; returns the step that failed, or -1 when all succeeded.
  int runSession() {
    writeAll(path, original);
    imageBefore = original;
    CatalogueFile file(files.make());
    if (!file.open(path)) return expectReported(file, 0);
    CatalogueRecord r;
    if (!file.read(1, r)) return expectReported(file, 0);
    for (int i = 0; i < int(steps.size()); ++i) {
      imageBefore = readAll(path);
      if (!file.write(steps[i].record, steps[i].data)) return expectReported(file, i);
      EXPECT_EQ(readAll(path).mid((steps[i].record - 1) * 350, 350), bytesOf(steps[i].data)) << "step " << i;
    }
    return -1;
  }

  int expectReported(const CatalogueFile& file, int step) {
    EXPECT_TRUE(files.faultHit());
    EXPECT_TRUE(file.lastError().failed());
    EXPECT_NE(file.lastError().systemError, 0);
    EXPECT_TRUE(file.lastError().describe().contains(u"«Zelkor.dat»"_s));
    return step;
  }

  void expectWhole(int failedStep, bool undoPossible) {
    const QByteArray now = readAll(path);
    if (undoPossible) {
      EXPECT_EQ(now, imageBefore) << files.log().join(u", "_s).toStdString();
      return;
    }
    ASSERT_EQ(now.size() % 350, 0);
    ASSERT_LE(now.size(), imageBefore.size() + 350);
    for (qint32 n = 1; n <= now.size() / 350; ++n) {
      const QByteArray got = now.mid((n - 1) * 350, 350);
      const QByteArray old = imageBefore.mid((n - 1) * 350, 350);
      const bool isNew = failedStep >= 0 && steps[failedStep].record == n && got == bytesOf(steps[failedStep].data);
      EXPECT_TRUE(got == old || isNew) << "record " << n << ": " << files.log().join(u", "_s).toStdString();
    }
  }

  QTemporaryDir dir;
  QString path = dir.filePath(u"Zelkor.dat"_s);
  QByteArray original = numberedRecords(3);
  QByteArray imageBefore;
  std::vector<Step> steps;
  FaultyFileIoFactory files;
};

TEST_F(FaultLoop, AFailureOfAnySingleCallLeavesTheFileAsBeforeTheFailedStep) {
  for (int error : {ENOSPC, EIO}) {
    for (int n = 1;; ++n) {
      files.reset();
      files.failCall(n, error);
      const int failed = runSession();
      if (!files.faultHit()) break;
      ASSERT_GE(failed, 0) << "call " << n << " failed but the session went on as if saved";
      expectWhole(failed, true);
    }
  }
}

TEST_F(FaultLoop, ShortWritesAreUndone) {
  for (qint64 bytes : {0, 1, 175, 349}) {
    for (int n = 1;; ++n) {
      files.reset();
      files.shortenWrite(n, bytes);
      const int failed = runSession();
      if (!files.faultHit()) break;
      expectWhole(failed, true);
    }
  }
}

TEST_F(FaultLoop, WhenEveryCallFromSomePointOnFailsEachRecordIsOldOrNew) {
  for (int n = 1;; ++n) {
    files.reset();
    files.failCall(n, EIO, Repeat::FromThenOn);
    const int failed = runSession();
    if (!files.faultHit()) break;
    expectWhole(failed, false);
  }
}

TEST_F(FaultLoop, TheReportNamesTheStepAndTheReason) {
  // open, size, read of record 1, then for record 2: size, read of its old bytes, write.
  files.failCall(6, ENOSPC);
  EXPECT_EQ(runSession(), 0);
  EXPECT_EQ(files.log().mid(0, 7), (QStringList{u"open"_s, u"size"_s, u"readAt 0 350"_s, u"size"_s, u"readAt 350 350"_s,
                                                u"writeAt 350 350 -> errno 28"_s, u"writeAt 350 350"_s}));
  CatalogueFile file(files.make());
  files.reset();
  files.failCall(2, EIO);
  ASSERT_FALSE(file.open(path));
  EXPECT_EQ(file.lastError().describe(),
            u"Δεν ήταν δυνατό το άνοιγμα του αρχείου «Zelkor.dat»: σφάλμα εισόδου/εξόδου του δίσκου."_s);
  EXPECT_FALSE(file.isOpen());
}

TEST(FaultyWrite, AFailedNewRecordAfterATornTailLeavesTheTailAsItWas) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"Zelkor.dat"_s);
  const QByteArray torn = numberedRecords(4).left(1226);
  FaultyFileIoFactory files;
  for (qint64 bytes : {0, 100, 174, 400}) {
    writeAll(path, torn);
    files.reset();
    CatalogueFile file(files.make());
    ASSERT_TRUE(file.open(path));
    // open, size; then the write's size check, and the write itself.
    files.shortenWrite(files.calls() + 2, bytes);
    EXPECT_FALSE(file.write(5, CatalogueRecord::blank()));
    EXPECT_TRUE(files.faultHit());
    EXPECT_EQ(readAll(path), torn) << bytes;
    EXPECT_EQ(file.recordCount(), 4);
  }
}

}  // namespace
