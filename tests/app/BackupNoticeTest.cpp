// The daily copy as the librarian meets it: taken at the start, a failed copy
// told once a day after the window is up, and never in the students' edition.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/Application.h"
#include "catalogue/file/CatalogueBackup.h"
#include "catalogue/file/ImportJournal.h"
#include "record_window/frmZelkor.h"
#include "support/CatalogueTestFiles.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

class BackupNoticeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The day of the last notice goes to a test folder of this test's own
    // home, not the user's settings nor those of a test running beside it.
    m_home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(m_ownHome.path()));
    QStandardPaths::setTestModeEnabled(true);
    cat.setRecords({{u"Σεφέρης, Γιώργος"_s, {}, u"Ποιήματα"_s}});
  }
  void TearDown() override {
    EXPECT_EQ(tp.dialogs.pending(), 0);
    qputenv("HOME", m_home);
  }

  // Starts and ends the program once; the boxes it showed.
  QList<ScriptedDialogs::Entry> runOnce(const Edition& edition = Edition::librarian()) {
    const qsizetype before = tp.dialogs.messages().size();
    Application app(tp.platform(), edition);
    tp.dialogs.watch(&app.recordWindow());
    EXPECT_TRUE(app.start());
    QTest::qWait(1);
    app.endProgram();
    return tp.dialogs.messages().mid(before);
  }

  QString folder() const { return cat.dir() + u'/' + CatalogueBackup::folderName(); }

  QTemporaryDir m_ownHome;
  QByteArray m_home;
  TempCatalogue cat;
  TestPlatform tp;
};

TEST_F(BackupNoticeTest, AFailedCopyIsToldOnceADayAndWorkGoesOn) {
  QFile blocker(folder());
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();

  tp.dialogs.answer(Dialogs::Answer::Ok);
  const auto first = runOnce();
  ASSERT_EQ(first.size(), 1);
  EXPECT_EQ(first[0].text,
            u"Δεν ήταν δυνατό να κρατηθεί το σημερινό αντίγραφο ασφαλείας του καταλόγου «Zelkor.dat» στον φάκελο "
            "«Αντίγραφα ασφαλείας»: %1.\r\nΗ εργασία συνεχίζεται κανονικά· το πρόγραμμα θα δοκιμάσει ξανά στην "
            "επόμενη έναρξη."_s.arg(CatalogueError::reason(ENOTDIR)));
  EXPECT_EQ(first[0].title, u"Σ-Zelkor 3.2"_s);
  // Shown over the record window, which stays.
  EXPECT_EQ(first[0].caption, u"Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  1  από  1"_s);

  EXPECT_TRUE(runOnce().isEmpty());
  tp.clock.moment = tp.clock.moment.addDays(1);
  tp.dialogs.answer(Dialogs::Answer::Ok);
  EXPECT_EQ(runOnce().size(), 1);
}

TEST_F(BackupNoticeTest, TheLibrariansStartCopiesAndTheStudentsEditionNever) {
  EXPECT_TRUE(runOnce(Edition::students()).isEmpty());
  EXPECT_FALSE(QFileInfo::exists(folder()));
  EXPECT_TRUE(runOnce().isEmpty());
  EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{u"Zelkor-2026-12-06.dat"_s});
}

TEST_F(BackupNoticeTest, AnImportLeftUnfinishedIsUndoneAtTheStartBeforeTheCopyAndTold) {
  const QByteArray before = cat.bytes();
  int error = 0;
  ASSERT_TRUE(importjournal::write(cat.path(), {before.size(), before.size(), {}}, &error));
  cat.setBytes(before + TempCatalogue::record({u"Μισή"_s}) + TempCatalogue::record({u"εισαγωγή"_s}));

  // The students' program shows the records before the import and changes nothing.
  {
    Application app(tp.platform(), Edition::students());
    ASSERT_TRUE(app.start());
    EXPECT_EQ(app.recordWindow().windowTitle().right(15), u"Εγγραφή:  1  από  1"_s.right(15));
    app.endProgram();
  }
  EXPECT_TRUE(QFileInfo::exists(importjournal::pathFor(cat.path())));

  tp.dialogs.answer(Dialogs::Answer::Ok);
  const auto boxes = runOnce();
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(boxes[0].text, importjournal::undoneNotice(u"Zelkor.dat"_s));
  EXPECT_EQ(cat.bytes(), before);
  EXPECT_FALSE(QFileInfo::exists(importjournal::pathFor(cat.path())));
  EXPECT_EQ(readAll(folder() + u"/Zelkor-2026-12-06.dat"_s), before);
}

}  // namespace
