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
  const Run r =
      importCsv(u"1,Καλός,Τίτλος\r\n\r\n2,Łukasz,Τίτλος\r\n3,Άλλος,"_s + QString(101, u'Α') + u"\r\n4,μόνο δύο\r\n"_s);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.split(u'\n', Qt::SkipEmptyParts),
            (QStringList{u"Η εισαγωγή δεν έγινε· ο κατάλογος «Zelkor.dat» έμεινε όπως ήταν:"_s,
                         u"σειρά 4, στήλη «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»: ο χαρακτήρας «Ł» (U+0141) δεν υπάρχει στη γραφή "
                         "Windows-1253 του καταλόγου"_s,
                         u"σειρά 5, στήλη «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]»: 101 χαρακτήρες, ενώ "
                         "το πεδίο χωρά 100 (με --truncate κόβεται)"_s,
                         u"σειρά 6: 2 κελιά, ενώ η επικεφαλίδα έχει 3"_s}));
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
  EXPECT_EQ(r.err, kKeptAsItWas + u"σειρά 1: η στήλη «Title» δεν είναι στήλη του καταλόγου\n"_s);
  EXPECT_FALSE(cat.exists());

  r = importCsv(u"1,\"ανοιχτά εισαγωγικά,Τίτλος\r\n"_s);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, kKeptAsItWas + u"σειρά 2: τα εισαγωγικά ενός κελιού δεν κλείνουν ως το τέλος του αρχείου\n"_s);
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
