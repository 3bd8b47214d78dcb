// The real tool, stopped in the middle of a large import: the catalogue ends
// as it was or with the whole import, never anything in between.
#ifndef _WIN32  // signals and ownership as POSIX systems have them
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include "TransferFixture.h"
#include "catalogue/file/CatalogueFile.h"
#include "catalogue/file/ImportJournal.h"

namespace {

constexpr int kRows = 60000;
constexpr int kOldRecords = 1000;
constexpr qint64 kTornTail = 100;

}  // namespace

class InterruptedImportTest : public TransferTest {
 protected:
  void SetUp() override {
    QByteArray csv = "\xEF\xBB\xBF\xCE\x9A\xCF\x89\xCE\xB4\xCE\xB9\xCE\xBA\xCF\x8C\xCF\x82,Title\r\n";
    csv.replace("Title", u"ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]"_s.toUtf8());
    for (int n = 1; n <= kRows; ++n) csv += QByteArray::number(n) + ",Βιβλίο " + QByteArray::number(n) + "\r\n";
    writeAll(file(u"in.csv"_s), csv);
    // The old catalogue ends in a torn record, which the first new record covers.
    before = numberedRecords(kOldRecords) + QByteArray(kTornTail, 'x');
    cat.setBytes(before);
    ASSERT_EQ(tool({u"import"_s, file(u"in.csv"_s), cat.path()}).status, 0);
    whole = cat.bytes();
    ASSERT_EQ(whole.size(), (kOldRecords + kRows) * CatalogueRecord::kLength);
    cat.setBytes(before);
  }

  static Output tool(const QStringList& args) { return runProgram(QStringLiteral(LOMIRA_CATALOGUE_TOOL), args); }

  // Starts the import and sends `signal` once the catalogue has grown by `grown` bytes.
  void importStoppedBy(int signal, qint64 grown, QProcess& p) {
    p.start(QStringLiteral(LOMIRA_CATALOGUE_TOOL), {u"import"_s, file(u"in.csv"_s), cat.path()});
    ASSERT_TRUE(p.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (QFileInfo(cat.path()).size() < before.size() + grown && p.state() == QProcess::Running &&
           waited.elapsed() < 60000)
      QThread::usleep(200);
    // A finished process has no id, and kill(0, …) would reach this test's own group.
    if (const qint64 pid = p.processId(); pid > 0) ::kill(pid_t(pid), signal);
    ASSERT_TRUE(p.waitForFinished(60000));
  }

  // What a reader sees now: the old records only, while a journal is left.
  qint32 readersCount() const {
    CatalogueFile reader;
    return reader.open(cat.path(), FileIo::Mode::ReadOnly) ? reader.recordCount() : -1;
  }

  QString journal() const { return importjournal::pathFor(cat.path()); }

  QByteArray before, whole;
};

TEST_F(InterruptedImportTest, AKillAtAnyMomentLeavesTheOldCatalogueOrTheWholeImport) {
  const qint64 growth = whole.size() - before.size();
  int undone = 0, kept = 0;
  for (int moment = 0; moment < 20; ++moment) {
    SCOPED_TRACE(moment);
    cat.setBytes(before);
    QProcess p;
    importStoppedBy(SIGKILL, moment * growth / 20, p);
    if (QFileInfo::exists(journal())) {
      EXPECT_EQ(readersCount(), kOldRecords);
    }
    // The real tool's check finishes what the killed import left.
    const Output check = tool({u"check"_s, cat.path()});
    EXPECT_NE(check.status, 2) << check.err.toStdString();
    const QByteArray after = cat.bytes();
    EXPECT_TRUE(after == before || after == whole) << after.size();
    EXPECT_FALSE(QFileInfo::exists(journal()));
    (after == before ? undone : kept)++;
  }
  // The moments are spread over the writing, most of them before its end.
  EXPECT_GT(undone, 10);
}

TEST_F(InterruptedImportTest, CtrlCTermAndHangUpUndoTheImportBeforeTheToolEnds) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    cat.setBytes(before);
    QProcess p;
    importStoppedBy(signal, 4 << 20, p);
    EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains(u"Η εισαγωγή διακόπηκε πριν τελειώσει."_s)) << err.toStdString();
    EXPECT_TRUE(err.contains(u"Ο κατάλογος «Zelkor.dat» έμεινε όπως ήταν."_s)) << err.toStdString();
    EXPECT_EQ(cat.bytes(), before);
    EXPECT_FALSE(QFileInfo::exists(journal()));
  }
}

TEST_F(InterruptedImportTest, AJournalPlantedByAnotherUserOrAsALinkIsNeverFollowed) {
  // Another user's journal would cut the catalogue to nothing: it is left alone.
  int error = 0;
  ASSERT_TRUE(importjournal::write(cat.path(), {}, &error));
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(QFile::encodeName(journal()).constData(), 4242, 4242), 0);
    EXPECT_EQ(tool({u"check"_s, cat.path()}).status, 1);
    EXPECT_EQ(cat.bytes(), before);
    EXPECT_EQ(readersCount(), kOldRecords);
  }
  QFile::remove(journal());

  // A link in the journal's place: the import neither writes through it nor cuts the catalogue by it.
  writeAll(file(u"victim"_s), "keep");
  ASSERT_TRUE(QFile::link(file(u"victim"_s), journal()));
  const Output r = tool({u"import"_s, file(u"in.csv"_s), cat.path()});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(QString::fromUtf8(r.err).contains(u"υπάρχει ήδη αρχείο με το όνομα του αρχείου εργασίας"_s))
      << r.err.toStdString();
  EXPECT_EQ(readAll(file(u"victim"_s)), "keep");
  EXPECT_EQ(cat.bytes(), before);
  EXPECT_EQ(readersCount(), kOldRecords);
}

#endif
