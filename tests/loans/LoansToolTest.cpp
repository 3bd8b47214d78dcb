#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

#include "catalogue_tool/CatalogueTool.h"
#include "support/CatalogueTestFiles.h"
#include "support/KnownLoans.h"
#include "support/TempCatalogue.h"

using namespace Qt::StringLiterals;

namespace {

class LoansToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    catalogue.setRecords(knownLoans());
    before = catalogue.bytes();
  }
  void TearDown() override { EXPECT_EQ(catalogue.bytes(), before); }

  int run(const QStringList& args) {
    out.clear();
    err.clear();
    QTextStream o(&out), e(&err);
    return runCatalogueTool(QStringList{u"lomira-catalogue"_s, u"loans"_s} + args, o, e);
  }

  TempCatalogue catalogue;
  QByteArray before;
  QString out, err;
};

TEST_F(LoansToolTest, WritesTheLateBooksAsATableWithTheWindowsColumns) {
  const QString csv = catalogue.dir() + u"/late.csv"_s;
  ASSERT_EQ(run({u"--format"_s, u"csv"_s, u"--date"_s, u"2026-12-08"_s, catalogue.path(), csv}), 0)
      << err.toStdString();
  EXPECT_TRUE(out.contains(u"Εκπρόθεσμα: 6 βιβλία"_s)) << out.toStdString();
  const QByteArray bytes = readAll(csv);
  ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
  const QStringList rows = QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_s, Qt::SkipEmptyParts);
  EXPECT_EQ(rows, (QStringList{
                      u"Ημέρες καθυστέρησης,Τμήμα,Όνομα,Κωδικός,Τίτλος,Επιστροφή"_s,
                      u"7,Α1,Νικολάου Μαρία,3,Η φόνισσα,1/12/2026"_s,
                      u"49,Β2,Παπαδόπουλος Γιώργος,10,Οι άθλιοι,20/10/2026"_s,
                      u"23,Β2,Παπαδόπουλος Γιώργος,1,Ο μικρός πρίγκιπας,15/11/2026"_s,
                      u"7,Β2,Παπαδόπουλος Γιώργος,4,Ο Καπετάν Μιχάλης,1/12/2026"_s,
                      u"18,ΣΤ1,Γεωργίου Άννα,8,Ο κύκλος με την κιμωλία,20/11/2026"_s,
                      u"8,,Δημητρίου Νίκος,9,Τρεις φορές,30/11/2026"_s,
                      u",,μετά τις διακοπές,6,Το καπλάνι της βιτρίνας,"_s,
                  }));
}

TEST_F(LoansToolTest, AllAndTextGoToTheStandardOutput) {
  ASSERT_EQ(run({u"--all"_s, u"--date"_s, u"2026-12-08"_s, catalogue.path()}), 0) << err.toStdString();
  EXPECT_TRUE(out.startsWith(u"Δανεισμένα: 7 βιβλία, 5 μαθητές, 3 τμήματα, 1 αδιάβαστα"_s)) << out.toStdString();
  EXPECT_TRUE(out.contains(u"Ιωάννου Πέτρος"_s));
  EXPECT_LT(out.indexOf(u"Τμήμα Α1"_s), out.indexOf(u"Τμήμα Β2"_s));
}

TEST_F(LoansToolTest, MistakesAreRefusedAndTheCatalogueIsNeverTheOutput) {
  EXPECT_EQ(run({u"--format"_s, u"xlsx"_s, catalogue.path()}), 1);
  EXPECT_TRUE(err.contains(u"csv ή text"_s)) << err.toStdString();
  EXPECT_EQ(run({u"--date"_s, u"31/12/2026"_s, catalogue.path()}), 1);
  EXPECT_EQ(run({u"--no-borrowers"_s, catalogue.path()}), 1);
  EXPECT_EQ(run({catalogue.path(), catalogue.path()}), 1);
  EXPECT_TRUE(err.contains(u"ο ίδιος ο κατάλογος"_s)) << err.toStdString();
  EXPECT_EQ(run({catalogue.dir() + u"/missing.dat"_s}), 2);
  EXPECT_TRUE(err.contains(u"missing.dat"_s)) << err.toStdString();
  EXPECT_EQ(run({catalogue.path(), catalogue.dir() + u"/no/such/folder/out.csv"_s}), 2);
}

}  // namespace
