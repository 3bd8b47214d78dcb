// Behaviour that needs a second process or real system limits: the editor's
// lock, a disk that fills up, a file the user may only read. POSIX only: on
// Windows tests/windows/ proves the same under Wine.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "catalogue/file/CatalogueFile.h"
#include "catalogue/file/CatalogueLock.h"
#include "support/CatalogueTestFiles.h"

using namespace Qt::StringLiterals;

namespace {

// Runs `body` in a forked child and returns its exit status (-1 if it did not exit).
int inChild(const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

class ProcessTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path = dir.filePath(u"Zelkor.dat"_s);
};

TEST_F(ProcessTest, TheLockKeepsASecondEditorOutButNotAReader) {
  writeAll(path, numberedRecords(2));
  CatalogueLock lock;
  ASSERT_EQ(lock.acquire(path), CatalogueLock::Result::Acquired);

  const auto otherEditor = [&] {
    CatalogueLock other;
    if (other.acquire(path) != CatalogueLock::Result::HeldElsewhere) return 1;
    CatalogueFile file;
    CatalogueRecord r;
    if (!file.open(path) || !file.read(2, r) || !file.write(2, r)) return 2;
    return 0;
  };
  EXPECT_EQ(inChild(otherEditor), 0);

  // Closing any other descriptor of the file in this process keeps the lock.
  {
    CatalogueFile reader;
    ASSERT_TRUE(reader.open(path, FileIo::Mode::ReadOnly));
  }
  EXPECT_EQ(inChild(otherEditor), 0);
  CatalogueLock sameProcess;
  EXPECT_EQ(sameProcess.acquire(path), CatalogueLock::Result::HeldElsewhere);

  lock.release();
  EXPECT_EQ(inChild([&] {
              CatalogueLock other;
              return other.acquire(path) == CatalogueLock::Result::Acquired ? 0 : 1;
            }),
            0);
  EXPECT_EQ(readAll(path), numberedRecords(2));
}

TEST_F(ProcessTest, ALockHeldByAnotherProcessEndsWithIt) {
  int toParent[2], toChild[2];
  ASSERT_EQ(pipe(toParent), 0);
  ASSERT_EQ(pipe(toChild), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    CatalogueLock lock;
    const char ok = lock.acquire(path) == CatalogueLock::Result::Acquired ? 'y' : 'n';
    char go;
    if (write(toParent[1], &ok, 1) != 1 || read(toChild[0], &go, 1) != 1) _exit(1);
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(toParent[0], &ok, 1), 1);
  EXPECT_EQ(ok, 'y');
  EXPECT_TRUE(QFile::exists(path)) << "acquiring creates the file";

  CatalogueLock lock;
  EXPECT_EQ(lock.acquire(path), CatalogueLock::Result::HeldElsewhere);
  ASSERT_EQ(write(toChild[1], "x", 1), 1);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_EQ(lock.acquire(path), CatalogueLock::Result::Acquired);
  for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) close(fd);
}

TEST_F(ProcessTest, AFullDiskFailsTheWriteAndLeavesTheFileWhole) {
  const QByteArray original = numberedRecords(3);
  writeAll(path, original);
  CatalogueRecord fourth = CatalogueRecord::blank();
  fourth.setField(2, u"Τέταρτο βιβλίο"_s);

  // The file may grow to 1500 bytes: record 4 fits, record 5 is cut off after 100 bytes.
  const int status = inChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1500, 1500};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
    CatalogueFile file;
    if (!file.open(path)) return 11;
    if (!file.write(4, fourth)) return 12;
    if (file.write(5, CatalogueRecord::blank())) return 13;
    const CatalogueError& e = file.lastError();
    if (e.operation != CatalogueError::Operation::Write || e.record != 5 || e.systemError != EFBIG) return 14;
    if (file.recordCount() != 4) return 15;
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(readAll(path), original + QByteArray(fourth.bytes(), 350));
}

TEST_F(ProcessTest, AFileTheUserMayOnlyReadOpensForReadingOnly) {
  writeAll(path, numberedRecords(2));
  ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0444), 0);
  ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);

  const int status = inChild([&] {
    // The superuser ignores permissions: become nobody.
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 77;
    CatalogueFile file;
    if (file.open(path)) return 1;
    if (file.lastError().describe() !=
        u"Δεν ήταν δυνατό το άνοιγμα του αρχείου «Zelkor.dat»: δεν υπάρχει άδεια πρόσβασης στο αρχείο."_s)
      return 2;
    CatalogueRecord r;
    if (!file.open(path, FileIo::Mode::ReadOnly) || file.recordCount() != 2) return 3;
    if (!file.read(2, r) || QByteArray(r.bytes(), 350) != numberedRecords(2).mid(350)) return 4;
    if (file.write(2, r)) return 5;
    CatalogueLock lock;
    if (lock.acquire(path) != CatalogueLock::Result::Failed || lock.lastErrno() != EACCES) return 6;
    return 0;
  });
  if (status == 77) GTEST_SKIP() << "cannot drop privileges here";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(readAll(path), numberedRecords(2));
}

}  // namespace
#endif
