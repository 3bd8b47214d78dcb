#include <gtest/gtest.h>

#include "catalogue/file/CatalogueFile.h"
#include "loans/LoanList.h"
#include "loans/LoanPages.h"
#include "loans/LoanScan.h"
#include "support/KnownLoans.h"
#include "support/TempCatalogue.h"

using namespace Qt::StringLiterals;

namespace {

// The list of the known loans, read from a catalogue file as the window and
// the tool read it.
class LoanListTest : public ::testing::Test {
 protected:
  void SetUp() override { catalogue.setRecords(knownLoans()); }

  loans::LoanList listOf(bool everything) {
    CatalogueFile file;
    EXPECT_TRUE(file.open(catalogue.path(), FileIo::Mode::ReadOnly));
    loans::LoanListBuilder builder(knownLoansDay(), everything);
    EXPECT_EQ(loans::scanLoans(file, builder), loans::ScanEnd::Done);
    return builder.finish();
  }

  // "class: name: code/days code/days ..." for each pupil, in order.
  static QStringList shape(const loans::LoanList& list) {
    QStringList out;
    for (const loans::ClassGroup& g : list.classes)
      for (const loans::Pupil& p : g.pupils) {
        QString line = g.className + u": "_s + p.name + u':';
        for (const loans::Loan& l : p.loans) line += u" %1/%2"_s.arg(l.code).arg(l.daysLate);
        out.append(line);
      }
    return out;
  }

  TempCatalogue catalogue;
};

TEST_F(LoanListTest, GroupsTheLateBooksByClassThenPupilMostLateFirst) {
  const QByteArray before = catalogue.bytes();
  const loans::LoanList list = listOf(false);
  EXPECT_EQ(shape(list), (QStringList{u"Α1: Νικολάου Μαρία: 3/7"_s, u"Β2: Παπαδόπουλος Γιώργος: 10/49 1/23 4/7"_s,
                                      u"ΣΤ1: Γεωργίου Άννα: 8/18"_s, u": Δημητρίου Νίκος: 9/8"_s}));
  ASSERT_EQ(list.unreadable.size(), 1u);
  EXPECT_EQ(list.unreadable[0].code, 6);
  EXPECT_EQ(list.unreadable[0].typed, u"μετά τις διακοπές"_s);
  EXPECT_EQ(list.unreadable[0].title, u"Το καπλάνι της βιτρίνας"_s);
  EXPECT_EQ(loans::countsLine(list), u"Εκπρόθεσμα: 6 βιβλία, 4 μαθητές, 3 τμήματα, 1 αδιάβαστα"_s);
  EXPECT_EQ(catalogue.bytes(), before);
}

// The titles and dates are kept as the catalogue's bytes and shown on one line.
TEST_F(LoanListTest, ShowsATitleOnOneLineAndTheDateAsTyped) {
  QList<QStringList> records = knownLoans();
  records[8][2] = u"Τρεις\r\nφορές\nκαι\rμία"_s;
  records[5][2] = u"Το\r\nκαπλάνι"_s;
  catalogue.setRecords(records);
  const loans::LoanList list = listOf(false);
  const loans::ClassGroup& noClass = list.classes.back();
  ASSERT_EQ(noClass.pupils.size(), 1u);
  const QStringList cells = loans::loanCells(noClass, noClass.pupils[0], noClass.pupils[0].loans[0]);
  EXPECT_EQ(cells[loans::kTitle], u"Τρεις φορές και μία"_s);
  EXPECT_EQ(cells[loans::kDue], u"30/11/2026"_s);
  EXPECT_EQ(list.unreadable[0].title, u"Το καπλάνι"_s);
}

TEST_F(LoanListTest, EverythingStillOutAddsTheBooksNotYetDue) {
  const loans::LoanList list = listOf(true);
  EXPECT_EQ(shape(list), (QStringList{u"Α1: Νικολάου Μαρία: 3/7"_s, u"Β2: Ιωάννου Πέτρος: 5/0"_s,
                                      u"Β2: Παπαδόπουλος Γιώργος: 10/49 1/23 4/7"_s, u"ΣΤ1: Γεωργίου Άννα: 8/18"_s,
                                      u": Δημητρίου Νίκος: 9/8"_s}));
  EXPECT_EQ(loans::countsLine(list), u"Δανεισμένα: 7 βιβλία, 5 μαθητές, 3 τμήματα, 1 αδιάβαστα"_s);
}

TEST_F(LoanListTest, PrintsAPagePerClassThenTheUnreadableFields) {
  const QList<QStringList> pages = loans::classPages(listOf(false));
  ASSERT_EQ(pages.size(), 5);
  EXPECT_TRUE(pages[0][0].contains(u"Τμήμα Α1"_s));
  EXPECT_TRUE(pages[1][0].contains(u"Τμήμα Β2"_s));
  EXPECT_TRUE(pages[3][0].contains(u"Χωρίς τμήμα"_s));
  // The pupil's name heads the first of the pupil's books only.
  ASSERT_EQ(pages[1].size(), 6);
  EXPECT_TRUE(pages[1][3].contains(u"Παπαδόπουλος Γιώργος"_s));
  EXPECT_TRUE(pages[1][3].contains(u"Οι άθλιοι"_s));
  EXPECT_FALSE(pages[1][4].contains(u"Παπαδόπουλος"_s));
  EXPECT_TRUE(pages[4].join(u'\n').contains(u"μετά τις διακοπές"_s));
  for (const QStringList& page : pages)
    for (const QString& line : page) EXPECT_LE(line.size(), 80) << line.toStdString();
}

TEST_F(LoanListTest, RemindersAreFourSlipsASheetCutAtTheQuarters) {
  const QList<QStringList> pages = loans::reminderPages(listOf(true), u"3ο Δημοτικό Σχολείο Λαμίας"_s);
  // Four pupils with late books: one sheet, Ιωάννου's book is not yet due.
  ASSERT_EQ(pages.size(), 1);
  const QStringList& sheet = pages[0];
  ASSERT_EQ(sheet.size(), loans::kSlipLines * loans::kSlipsPerSheet);
  for (int slip = 0; slip < loans::kSlipsPerSheet; ++slip) {
    EXPECT_EQ(sheet[slip * loans::kSlipLines], u"3ο Δημοτικό Σχολείο Λαμίας"_s);
    EXPECT_TRUE(sheet[slip * loans::kSlipLines + loans::kSlipLines - 2].contains(u"8/12/2026"_s));
    const QString foot = sheet[slip * loans::kSlipLines + loans::kSlipLines - 1];
    EXPECT_EQ(foot.startsWith(u"- - -"_s), slip < loans::kSlipsPerSheet - 1) << slip;
  }
  EXPECT_FALSE(sheet.join(u'\n').contains(u"Ιωάννου"_s));
  EXPECT_TRUE(sheet[loans::kSlipLines + 3].contains(u"Τμήμα: Β2"_s));
}

TEST(LoanPages, APupilWithManyLateBooksGetsAFurtherSlip) {
  loans::LoanList list;
  list.day = knownLoansDay();
  loans::Pupil pupil{u"Μακρής Κώστας"_s, {}};
  for (int i = 1; i <= loans::kBooksPerSlip + 1; ++i)
    pupil.loans.push_back({i, u"Βιβλίο %1"_s.arg(i), QDate(2026, 11, i), u"%1/11"_s.arg(i), 30 - i});
  list.classes.push_back({u"Γ1"_s, {pupil}});
  const QList<QStringList> pages = loans::reminderPages(list, u"Σχολείο"_s);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0][1 + loans::kSlipLines].contains(u"(συνέχεια)"_s));
  EXPECT_TRUE(pages[0][6 + loans::kSlipLines].contains(u"Βιβλίο 7"_s));
  EXPECT_TRUE(loans::reminderPages(loans::LoanList{}, u"Σχολείο"_s).isEmpty());
}

}  // namespace
