// The students' edition never writes the catalogue, whatever the user does,
// and works on a catalogue it may only read.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

#include "app/Application.h"
#include "page_window/frmMulti.h"
#include "record_window/frmZelkor.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

struct FileState {
  QByteArray bytes;
  QDateTime modified;
  bool operator==(const FileState& o) const { return bytes == o.bytes && modified == o.modified; }
};

FileState stateOf(const TempCatalogue& cat) {
  return {cat.bytes(), QFileInfo(cat.path()).fileTime(QFileDevice::FileModificationTime)};
}

// A key as the user types it into whatever has the focus in the window.
void press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QApplication::setActiveWindow(&window);
  QWidget* target = QApplication::focusWidget();
  QTest::keyClick(target && target->window() == &window ? target : &window, key, mods);
}

void trigger(QWidget& window, const char* action) {
  QAction* a = window.findChild<QAction*>(QString::fromLatin1(action));
  ASSERT_NE(a, nullptr) << action;
  a->trigger();
}

class StudentsEditionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QList<QStringList> books;
    for (int i = 1; i <= 12; ++i)
      books.append({u"   Συγγραφέας %1"_s.arg(i), u"Μεταφραστής"_s, u"Τίτλος %1"_s.arg(i), u"Αθήνα, Εστία"_s,
                    QString::number(2000 + i), i % 4 == 0 ? u"Μαθητής Α1 - 10/12/2026"_s : QString()});
    cat.setRecords(books);
    QFile::setPermissions(cat.path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    // Make the modification time distinguishable from any write made now.
    QFile f(cat.path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
  }
  void TearDown() override { QFile::setPermissions(cat.path(), QFile::ReadOwner | QFile::WriteOwner); }

  TempCatalogue cat;
  TestPlatform tp;
};

TEST_F(StudentsEditionTest, NoSequenceOfCommandsChangesTheCatalogue) {
  const FileState before = stateOf(cat);
  Application app(tp.platform(), Edition::students());
  ASSERT_TRUE(app.start());
  frmZelkor& rec = app.recordWindow();
  EXPECT_EQ(rec.windowTitle(), u"Μ-Zelkor 3.2: Μαθητές - Διερεύνηση           Εγγραφή:  1  από  12"_s);

  // Typing into a field box, then the librarian's keys for new, save and borrower search.
  QLineEdit* author = rec.findChild<QLineEdit*>(u"txtEpo"_s);
  ASSERT_NE(author, nullptr);
  author->setFocus();
  QTest::keyClicks(author, u"xyz"_s);
  EXPECT_EQ(author->text(), u"Συγγραφέας 1"_s);
  for (Qt::Key k : {Qt::Key_F12, Qt::Key_F3}) press(rec, k);
  for (Qt::Key k : {Qt::Key_N, Qt::Key_K, Qt::Key_Z}) press(rec, k, Qt::AltModifier);
  EXPECT_EQ(rec.recordCount(), 12);
  EXPECT_EQ(rec.currentRecord(), 1);

  // Browse, search with a print, print the queue.
  press(rec, Qt::Key_PageDown);
  EXPECT_EQ(rec.currentRecord(), 2);
  tp.dialogs.type(u"Τίτλος 4"_s).answer(Dialogs::Answer::Yes).answer(Dialogs::Answer::Ok);
  rec.cmdFindTitle_Click();  // one match, printed; the scan then reports no further match
  tp.dialogs.answer(Dialogs::Answer::Ok);
  rec.cmdEndPrint_Click();
  EXPECT_EQ(tp.sink.jobs.size(), 1);

  // Borrower search through F11's menu item still works.
  tp.dialogs.type(u"Μαθητής"_s).answer(Dialogs::Answer::Cancel);
  trigger(rec, "mnuNo");
  EXPECT_EQ(tp.dialogs.log().at(tp.dialogs.log().size() - 2).title, u"Μ-Zelkor 3.2: Αναζήτηση Δανειζόμενου"_s);
  EXPECT_EQ(rec.currentRecord(), 4);

  // The page window and back, then the end from the record window.
  trigger(rec, "mnuMulti");
  tp.dialogs.type(u"Εστία"_s).answer(Dialogs::Answer::No).answer(Dialogs::Answer::No);
  trigger(app.pageWindow(), "mnuAlloi");
  trigger(app.pageWindow(), "mnuTelos");
  trigger(rec, "mnuEnd");
  EXPECT_TRUE(app.ended());

  EXPECT_TRUE(stateOf(cat) == before) << "the students' edition wrote to the catalogue";
}

TEST_F(StudentsEditionTest, AMissingCatalogueShowsAsEmptyAndIsNotCreated) {
  QFile::setPermissions(cat.path(), QFile::ReadOwner | QFile::WriteOwner);
  QFile::remove(cat.path());
  Application app(tp.platform(), Edition::students());
  ASSERT_TRUE(app.start());
  EXPECT_EQ(app.recordWindow().windowTitle(), u"Μ-Zelkor 3.2: Μαθητές - Διερεύνηση           Εγγραφή:  1  από  1"_s);
  trigger(app.recordWindow(), "mnuEnd");
  EXPECT_FALSE(cat.exists());
}

}  // namespace
