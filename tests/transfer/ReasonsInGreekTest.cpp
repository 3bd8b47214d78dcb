// What the tool says when an import cannot be done: the reason in Greek, in
// a librarian's words, naming where; and never "as it was" when an earlier,
// unfinished import had just been undone.
#include <QRegularExpression>

#include "SheetFixture.h"
#include "catalogue/file/ImportJournal.h"
#include "support/ImportTestFiles.h"

class ReasonsInGreekTest : public SheetFixture {
 protected:
  void SetUp() override { cat.setBytes(before); }

  static Output tool(const QStringList& args) { return runProgram(QStringLiteral(LOMIRA_CATALOGUE_TOOL), args); }

  // The catalogue as an import killed while writing leaves it: new records
  // after the old ones, and the journal recording the old length.
  void leaveAKilledImport() {
    cat.setBytes(before);
    int error = 0;
    ASSERT_TRUE(importjournal::write(cat.path(), {before.size(), before.size(), {}}, &error));
    cat.setBytes(before + rec({u"Μισή"_s}) + rec({u"εισαγωγή"_s}));
  }

  // Imports `name` with the tool's own wording: refused with `reason`, in
  // Greek throughout, and the catalogue as it was.
  void refused(const QString& name, const QString& reason) {
    SCOPED_TRACE(name.toStdString());
    const Run r = run({u"import"_s, file(name), cat.path()});
    EXPECT_EQ(r.status, 1) << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith(kKeptAsItWas)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(reason)) << r.err.toStdString();
    EXPECT_FALSE(hasEnglishSentence(r.err)) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(u"δεν είναι κατάλογος"_s)) << r.err.toStdString();
    EXPECT_EQ(cat.bytes(), before);
  }

  // Three Latin words in a row outside brackets: a library's sentence.
  static bool hasEnglishSentence(const QString& text) {
    QString outside = text;
    outside.remove(QRegularExpression(u"\\([^)]*\\)|«[^»]*»"_s));
    return outside.contains(QRegularExpression(u"[A-Za-z]+ [A-Za-z]+ [A-Za-z]+"_s));
  }

  const QString kUndone = importjournal::undoneNotice(u"Zelkor.dat"_s) + u"\n"_s;
  const QByteArray before = rec({u"Υπάρχουσα"_s});
};

TEST_F(ReasonsInGreekTest, TheUndoOfAKilledImportIsToldFirstAndNeverCalledNoChange) {
  writeUtf8Csv(file(u"bad.csv"_s), {u"Τίτλος,Συγγραφέας"_s, u"Οδύσσεια,Όμηρος,περίσσιο"_s});
  leaveAKilledImport();
  Output r = tool({u"import"_s, file(u"bad.csv"_s), cat.path()});
  EXPECT_EQ(r.status, 1);
  const QString err = QString::fromUtf8(r.err);
  EXPECT_TRUE(err.startsWith(kUndone + u"Η εισαγωγή δεν έγινε· ο κατάλογος «Zelkor.dat» είναι όπως ήταν πριν από "
                                       "την εισαγωγή που δεν είχε τελειώσει:\n"_s))
      << r.err.toStdString();
  EXPECT_FALSE(err.contains(u"έμεινε όπως ήταν"_s));
  EXPECT_EQ(cat.bytes(), before);
  EXPECT_FALSE(QFileInfo::exists(importjournal::pathFor(cat.path())));

  // An import that goes through says it before what it added.
  writeUtf8Csv(file(u"good.csv"_s), {u"Τίτλος"_s, u"Οδύσσεια"_s});
  leaveAKilledImport();
  r = tool({u"import"_s, file(u"good.csv"_s), cat.path()});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(r.out), kUndone + u"Προστέθηκε 1 εγγραφή στον «Zelkor.dat», με κωδικό 2.\n"_s);
  EXPECT_EQ(cat.bytes(), before + rec({{}, {}, u"Οδύσσεια"_s}));

  // With no journal left, nothing of it is said again.
  r = tool({u"import"_s, file(u"bad.csv"_s), cat.path()});
  EXPECT_TRUE(QString::fromUtf8(r.err).startsWith(kKeptAsItWas)) << r.err.toStdString();
}

#ifndef _WIN32  // a file-size limit as POSIX shells set it
TEST_F(ReasonsInGreekTest, AFailedWriteAfterTheUndoSaysTheCatalogueIsAsBeforeTheUnfinishedImport) {
  QStringList rows{u"Τίτλος"_s};
  for (int i = 0; i < 3000; ++i) rows.append(u"Τίτλος %1"_s.arg(i));
  writeUtf8Csv(file(u"many.csv"_s), rows);
  leaveAKilledImport();
  const Output r =
      runProgram(u"sh"_s, {u"-c"_s, u"ulimit -f 200; exec \"$0\" \"$@\""_s, QStringLiteral(LOMIRA_CATALOGUE_TOOL),
                           u"import"_s, file(u"many.csv"_s), cat.path()});
  EXPECT_EQ(r.status, 2);
  const QString err = QString::fromUtf8(r.err);
  EXPECT_TRUE(err.startsWith(kUndone)) << r.err.toStdString();
  EXPECT_TRUE(
      err.endsWith(u"Ο κατάλογος «Zelkor.dat» είναι όπως ήταν πριν από την εισαγωγή που δεν είχε τελειώσει.\n"_s))
      << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), before);
}
#endif
