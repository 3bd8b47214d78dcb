// What the real tool prints when something is wrong: a Greek sentence the
// librarian can act on, and no English line from Qt or a library.
#include <QDir>

#include "TransferFixture.h"
#include "catalogue/file/CatalogueBackup.h"

namespace {

bool allGreek(const QByteArray& err) {
  for (const QString& line : QString::fromUtf8(err).split(u'\n', Qt::SkipEmptyParts))
    if (!line.contains(QRegularExpression(u"[α-ωΑ-Ω]"_s))) return false;
  return true;
}

}  // namespace

class ToolMessagesTest : public TransferTest {
 protected:
  // The real tool, under a file-size limit in 512-byte blocks when one is given.
  static Output tool(const QStringList& args, int sizeLimit = 0) {
    const QString limit = sizeLimit > 0 ? u"ulimit -f %1; "_s.arg(sizeLimit) : QString();
    return runProgram(
        u"sh"_s, QStringList{u"-c"_s, limit + u"exec \"$0\" \"$@\""_s, QStringLiteral(LOMIRA_CATALOGUE_TOOL)} + args);
  }
};

TEST_F(ToolMessagesTest, EachMistakeIsToldInGreekAndByItsOwnName) {
  writeAll(file(u"in.csv"_s), "\xEF\xBB\xBF\xCE\x9A\xCF\x89\xCE\xB4\xCE\xB9\xCE\xBA\xCF\x8C\xCF\x82\r\n7\r\n");
  // An empty catalogue name is neither the folder nor Zelkor.dat.
  Output r = tool({u"import"_s, file(u"in.csv"_s), QString()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(QString::fromUtf8(r.err).contains(u"κενό"_s)) << r.err.toStdString();
  EXPECT_TRUE(allGreek(r.err)) << r.err.toStdString();
  EXPECT_FALSE(cat.exists());

  // A link in a loop is not a missing file.
  ASSERT_TRUE(QFile::link(file(u"loop.dat"_s), file(u"loop.dat"_s)));
  r = tool({u"check"_s, file(u"loop.dat"_s)});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(QString::fromUtf8(r.err).contains(u"συμβολικούς συνδέσμους"_s)) << r.err.toStdString();

  // A workbook, even one that cannot be read, is never taken for a torn catalogue.
  writeAll(file(u"book.xlsx"_s), QByteArray("PK\x03\x04").leftJustified(700, '\0'));
  r = tool({u"import"_s, file(u"book.xlsx"_s), cat.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(QString::fromUtf8(r.err).contains(u"δεν είναι κατάλογος"_s)) << r.err.toStdString();
  EXPECT_FALSE(cat.exists());

  // The copy's folder refusing it is the folder's doing.
  EXPECT_TRUE(CatalogueBackup::failureNotice(EACCES).contains(u"άδεια εγγραφής στον φάκελο"_s));
}

TEST_F(ToolMessagesTest, AFullDiskSaysTheCatalogueIsAsItWasAndNoLibraryLineShows) {
  QString rows;
  for (int i = 0; i < 3000; ++i) rows += u"%1,Συγγραφέας %1,Τίτλος %1\r\n"_s.arg(i);
  writeAll(file(u"in.csv"_s), (u"\uFEFFΚωδικός,ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ,ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή "
                               "[ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]\r\n"_s +
                               rows)
                                  .toUtf8());
  cat.setBytes(rec({u"Πρώτο"_s}));
  Output r = tool({u"import"_s, file(u"in.csv"_s), cat.path()}, 200);
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(QString::fromUtf8(r.err).endsWith(u"Ο κατάλογος «Zelkor.dat» έμεινε όπως ήταν.\n"_s))
      << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), rec({u"Πρώτο"_s}));

  ASSERT_EQ(tool({u"import"_s, file(u"in.csv"_s), cat.path()}).status, 0);
  r = tool({u"export"_s, u"--format"_s, u"xlsx"_s, cat.path(), file(u"out.xlsx"_s)}, 4);
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(allGreek(r.err)) << r.err.toStdString();
  EXPECT_FALSE(QFile::exists(file(u"out.xlsx"_s)));
}
