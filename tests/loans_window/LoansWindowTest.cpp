#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTreeWidget>

#include "loans/LoanPages.h"
#include "loans_window/LoansWindow.h"
#include "support/KnownLoans.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

class LoansWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    catalogue.setRecords(knownLoans());
    before = catalogue.bytes();
    platform.clock.moment = QDateTime(knownLoansDay(), QTime(10, 0));
    window = std::make_unique<LoansWindow>(bundle, catalogue.path(), u"Σ-Zelkor 3.2"_s);
    ASSERT_TRUE(window->load());
  }
  void TearDown() override {
    EXPECT_EQ(catalogue.bytes(), before);
    EXPECT_EQ(platform.dialogs.pending(), 0);
  }

  QTreeWidget* tree(const char* name) const { return window->findChild<QTreeWidget*>(QLatin1String(name)); }
  // Each class heading, then its books' names and codes.
  QStringList rows() const {
    QStringList out;
    QTreeWidget* loans = tree("lstLoans");
    for (int i = 0; i < loans->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* heading = loans->topLevelItem(i);
      out.append(heading->text(0));
      for (int j = 0; j < heading->childCount(); ++j)
        out.append(heading->child(j)->text(loans::kName) + u' ' + heading->child(j)->text(loans::kCode));
    }
    return out;
  }

  TempCatalogue catalogue;
  QByteArray before;
  TestPlatform platform;
  Platform bundle = platform.platform();
  std::unique_ptr<LoansWindow> window;
};

TEST_F(LoansWindowTest, ListsTheLateBooksByClassAndTheUnreadableFields) {
  EXPECT_EQ(rows(),
            (QStringList{u"Τμήμα Α1 (1)"_s, u"Νικολάου Μαρία 3"_s, u"Τμήμα Β2 (3)"_s, u"Παπαδόπουλος Γιώργος 10"_s,
                         u"Παπαδόπουλος Γιώργος 1"_s, u"Παπαδόπουλος Γιώργος 4"_s, u"Τμήμα ΣΤ1 (1)"_s,
                         u"Γεωργίου Άννα 8"_s, u"Χωρίς τμήμα (1)"_s, u"Δημητρίου Νίκος 9"_s}));
  EXPECT_EQ(window->findChild<QLabel*>(u"lblCounts"_s)->text(),
            u"Εκπρόθεσμα: 6 βιβλία, 4 μαθητές, 3 τμήματα, 1 αδιάβαστα"_s);
  QTreeWidget* unreadable = tree("lstUnreadable");
  ASSERT_EQ(unreadable->topLevelItemCount(), 1);
  EXPECT_EQ(unreadable->topLevelItem(0)->text(1), u"μετά τις διακοπές"_s);

  window->findChild<QCheckBox*>(u"chkEverything"_s)->setChecked(true);
  EXPECT_TRUE(rows().contains(u"Ιωάννου Πέτρος 5"_s));
  EXPECT_TRUE(window->findChild<QLabel*>(u"lblCounts"_s)->text().startsWith(u"Δανεισμένα: 7 βιβλία"_s));
}

TEST_F(LoansWindowTest, GoingToABookClosesTheListWithItsCode) {
  QTreeWidget* loans = tree("lstLoans");
  loans->setCurrentItem(loans->topLevelItem(1)->child(1));
  window->cmdGoTo_Click();
  EXPECT_EQ(window->chosenCode(), 1);
  // The book picked last counts, in either list.
  tree("lstUnreadable")->setCurrentItem(tree("lstUnreadable")->topLevelItem(0));
  window->cmdGoTo_Click();
  EXPECT_EQ(window->chosenCode(), 6);
  loans->setCurrentItem(loans->topLevelItem(2)->child(0));
  window->cmdGoTo_Click();
  EXPECT_EQ(window->chosenCode(), 8);

  loans->setCurrentItem(loans->topLevelItem(0));  // a class heading is no book
  platform.dialogs.answer(Dialogs::Answer::Ok);
  window->cmdGoTo_Click();
  EXPECT_EQ(platform.dialogs.messageTexts().value(0), u"Διαλέξτε πρώτα ένα βιβλίο του καταλόγου."_s);
}

TEST_F(LoansWindowTest, PrintsAPagePerClassInTheListsFont) {
  window->cmdPrintList_Click();
  ASSERT_EQ(platform.sink.jobs.size(), 1);
  const PrintJob& job = platform.sink.jobs[0];
  EXPECT_EQ(job.fontSize, 10);
  EXPECT_FALSE(job.spreadOverSheet);
  ASSERT_EQ(job.pages.size(), 5);
  EXPECT_TRUE(job.pages[1][0].contains(u"Τμήμα Β2"_s));
}

TEST_F(LoansWindowTest, AsksTheSchoolOnceThenPrintsFourSlipsASheet) {
  platform.dialogs.type(QString());  // Cancel: nothing is printed, nothing kept
  window->cmdPrintSlips_Click();
  EXPECT_TRUE(platform.sink.jobs.isEmpty());
  EXPECT_TRUE(platform.settings.school.isEmpty());

  platform.dialogs.type(u"  3ο Δημοτικό Σχολείο Λαμίας "_s);
  window->cmdPrintSlips_Click();
  window->cmdPrintSlips_Click();
  EXPECT_EQ(platform.settings.school, u"3ο Δημοτικό Σχολείο Λαμίας"_s);
  ASSERT_EQ(platform.sink.jobs.size(), 2);
  const PrintJob& job = platform.sink.jobs[1];
  EXPECT_TRUE(job.spreadOverSheet);
  ASSERT_EQ(job.pages.size(), 1);
  EXPECT_EQ(job.pages[0].size(), loans::kSlipLines * loans::kSlipsPerSheet);
  EXPECT_EQ(job.pages[0][0], u"3ο Δημοτικό Σχολείο Λαμίας"_s);

  // The record window's print document goes on printing as before.
  platform.printer.printLine(u"εγγραφή"_s);
  platform.printer.endDoc();
  EXPECT_FALSE(platform.sink.jobs.last().spreadOverSheet);
}

TEST_F(LoansWindowTest, NeverMixesItsPagesIntoTheRecordWindowsQueue) {
  platform.printer.printLine(u"εγγραφή που περιμένει"_s);
  platform.dialogs.answer(Dialogs::Answer::Ok);
  window->cmdPrintList_Click();
  EXPECT_TRUE(platform.sink.jobs.isEmpty());
  EXPECT_TRUE(platform.dialogs.messageTexts().value(0).contains(u"ΕΚΤΥΠΩΣΗ"_s));
  platform.printer.endDoc();
  ASSERT_EQ(platform.sink.jobs.size(), 1);
  EXPECT_EQ(platform.sink.jobs[0].pages, QList<QStringList>{{u"εγγραφή που περιμένει"_s}});
}

TEST_F(LoansWindowTest, AListThatCannotBeReadAfreshStaysAsItWasAndSoDoesTheChoice) {
  const QStringList shown = rows();
  ASSERT_TRUE(QFile::remove(catalogue.path()));
  ASSERT_TRUE(QDir().mkdir(catalogue.path()));
  platform.dialogs.answer(Dialogs::Answer::Ok);
  auto* everything = window->findChild<QCheckBox*>(u"chkEverything"_s);
  everything->setChecked(true);
  EXPECT_FALSE(everything->isChecked());
  EXPECT_EQ(rows(), shown);
  EXPECT_EQ(platform.dialogs.messageTexts().size(), 1);
  ASSERT_TRUE(QDir().rmdir(catalogue.path()));
  catalogue.setBytes(before);
}

TEST(LoansWindowFailure, ACatalogueThatCannotBeOpenedIsToldAndListsNothing) {
  TempCatalogue catalogue;
  ASSERT_TRUE(QDir(catalogue.dir()).mkdir(u"Zelkor.dat"_s));
  TestPlatform platform;
  Platform bundle = platform.platform();
  LoansWindow window(bundle, catalogue.path(), u"Σ-Zelkor 3.2"_s);
  platform.dialogs.answer(Dialogs::Answer::Ok);
  EXPECT_FALSE(window.load());
  EXPECT_TRUE(platform.dialogs.messageTexts().value(0).contains(u"Zelkor.dat"_s));
}

}  // namespace
