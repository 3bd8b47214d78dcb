#include <sys/stat.h>

#include <QDir>

#include "TransferFixture.h"

namespace {

const QString kHeader =
    u"\uFEFFΚωδικός,ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ,ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]\r\n"_s;

}  // namespace

class ImportTest : public TransferTest {
 protected:
  Run importCsv(const QString& rows, const QStringList& options = {}) {
    writeAll(file(u"in.csv"_s), (kHeader + rows).toUtf8());
    return run(QStringList{u"import"_s} + options + QStringList{file(u"in.csv"_s), cat.path()});
  }
  const QByteArray existing = rec({u"Υπάρχουσα"_s});
};

TEST_F(ImportTest, EveryBadCellIsNamedAndNothingIsWritten) {
  cat.setBytes(existing);
  const Run r = importCsv(u"1,Καλός,Τίτλος\r\n\r\n2,Łukasz,Τίτλος\r\n3,Άλλος,"_s + QString(101, u'Α') +
                          u"\r\n4,τέσσερα,κελιά,εδώ\r\n"_s);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.split(u'\n', Qt::SkipEmptyParts),
            (QStringList{u"Η εισαγωγή δεν έγινε· ο κατάλογος «Zelkor.dat» έμεινε όπως ήταν:"_s,
                         u"Το «in.csv» διαβάστηκε ως CSV, UTF-8 με BOM, διαχωριστικό «,»."_s,
                         u"σειρά 4, στήλη «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»: ο χαρακτήρας «Ł» (U+0141) δεν υπάρχει στη γραφή "
                         "Windows-1253 του καταλόγου"_s,
                         u"σειρά 5, στήλη «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]»: 101 χαρακτήρες, ενώ "
                         "το πεδίο χωρά 100 (με --truncate κόβεται)"_s,
                         u"σειρά 6: κείμενο στο κελί 4, ενώ ο πίνακας έχει 3 στήλες"_s}));
  EXPECT_EQ(cat.bytes(), existing);
}

TEST_F(ImportTest, TruncateCutsOverLongFieldsAndListsEachCut) {
  const Run r = importCsv(u"1,"_s + QString(48, u'Β') + u"ΓΔΕ   ,Τίτλος\r\n"_s, {u"--truncate"_s});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out,
            u"σειρά 2, στήλη «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»: κόπηκε στους 50 χαρακτήρες· χάθηκε το «Ε»\n"
            "Προστέθηκε 1 εγγραφή στον «Zelkor.dat», με κωδικό 1.\n"_s);
  EXPECT_EQ(cat.bytes(), rec({QString(48, u'Β') + u"ΓΔ"_s, {}, u"Τίτλος"_s}));
}

TEST_F(ImportTest, UnknownColumnsAndBrokenQuotesRefuseTheFile) {
  writeAll(file(u"in.csv"_s), "Title,Author\r\nA,B\r\n");
  Run r = run({u"import"_s, file(u"in.csv"_s), cat.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.startsWith(kKeptAsItWas + u"Το «in.csv» διαβάστηκε ως CSV, UTF-8, διαχωριστικό «,».\n"
                                              "σειρά 1: η πρώτη σειρά («Title», «Author») δεν ονομάζει στήλες"_s))
      << r.err.toStdString();
  EXPECT_FALSE(cat.exists());

  r = importCsv(u"1,\"ανοιχτά εισαγωγικά,Τίτλος\r\n"_s);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, kKeptAsItWas +
                       u"Το «in.csv» διαβάστηκε ως CSV, UTF-8 με BOM, διαχωριστικό «,».\n"
                       "σειρά 2: τα εισαγωγικά ενός κελιού δεν κλείνουν ως το τέλος του αρχείου\n"_s);
  EXPECT_FALSE(cat.exists());
}

TEST_F(ImportTest, AnyFileStartingWithTheHeaderIsCsv) {
  // Without a mark and as long as one record, yet a table all the same.
  QByteArray csv = kHeader.mid(1).toUtf8() + "1,Άλλος,Τίτλος\r\n";
  csv.append(QByteArray(CatalogueRecord::kLength - csv.size(), '\n'));
  writeAll(file(u"in.txt"_s), csv);
  const Run r = run({u"import"_s, file(u"in.txt"_s), cat.path()});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), rec({u"Άλλος"_s, {}, u"Τίτλος"_s}));
}

TEST_F(ImportTest, WhatTheCheckWouldReportIsRefusedByTheSameRule) {
  cat.setBytes(existing);
  // A title keeps its line breaks; a NUL, a control byte or a byte the code page leaves undefined goes nowhere.
  Run r = importCsv(u"1,Α,\"Πρώτη\r\nδεύτερη\"\r\n2,Α\u0001Β,Τ\r\n3,Α,Τ\u0000Τ\r\n4,\uF7AA,Τ\r\n5,Α,Τ\tΤ\r\n"_s);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.split(u'\n', Qt::SkipEmptyParts).mid(2),
            (QStringList{u"σειρά 3, στήλη «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»: ο χαρακτήρας ελέγχου «» (U+0001) δεν επιτρέπεται "
                         "σε αυτή τη στήλη"_s,
                         u"σειρά 4, στήλη «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]»: ο χαρακτήρας ελέγχου "
                         "«» (U+0000) δεν επιτρέπεται σε αυτή τη στήλη"_s,
                         u"σειρά 5, στήλη «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»: ο χαρακτήρας «\uF7AA» (U+F7AA) δεν ορίζεται στη "
                         "γραφή Windows-1253 του καταλόγου"_s,
                         u"σειρά 6, στήλη «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]»: ο χαρακτήρας ελέγχου "
                         "«» (U+0009) δεν επιτρέπεται σε αυτή τη στήλη"_s}));

  // Any file as long as whole records is no catalogue unless its records pass the check.
  for (const QByteArray& input : {QByteArray(700, '\0'), QByteArray("a list of\nbooks\n").leftJustified(350, ' ')}) {
    writeAll(file(u"in.dat"_s), input);
    r = run({u"import"_s, file(u"in.dat"_s), cat.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"εγγραφή 1 του «in.dat»: έχει"_s)) << r.err.toStdString();
  }
  EXPECT_EQ(cat.bytes(), existing);
}

TEST_F(ImportTest, APipeOrAFolderIsRefusedAtOnceAndHugeInputsStayBounded) {
  cat.setBytes(existing);
  QStringList refused{u"folder.csv"_s};
  QDir(cat.dir()).mkdir(refused.first());
#ifndef _WIN32  // Windows has no named pipes among files
  ASSERT_EQ(::mkfifo(QFile::encodeName(file(u"pipe.csv"_s)).constData(), 0600), 0);
  refused.append(u"pipe.csv"_s);
#endif
  for (const QString& name : refused) {
    const Run r = run({u"import"_s, file(name), cat.path()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.startsWith(u"Δεν ήταν δυνατή η ανάγνωση"_s)) << r.err.toStdString();
  }

  // 150 bad rows: the first 100 reasons and a count.
  QString rows;
  for (int i = 0; i < 150; ++i) rows += u"1,δύο,τρία,τέσσερα\r\n"_s;
  Run r = importCsv(rows);
  QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 103);
  EXPECT_EQ(lines.last(), u"… και 50 ακόμη."_s);

  // A cut of a long text shows its start and its length.
  r = importCsv(u"1,Α,"_s + QString(5000, u'Β') + u"\r\n"_s, {u"--truncate"_s});
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(
      r.out.startsWith(u"σειρά 2, στήλη «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]»: κόπηκε στους 100 "
                       "χαρακτήρες· χάθηκε το «"_s +
                       QString(60, u'Β') + u"…» (4900 χαρακτήρες)\n"_s))
      << r.out.toStdString();
}
