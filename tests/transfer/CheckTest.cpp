#include "TransferFixture.h"

TEST_F(TransferTest, CheckReportsEachKindOfFindingWithItsRecordNumbers) {
  QByteArray nul = rec({u"Με NUL"_s});
  nul[10] = '\0';
  QByteArray control = rec({u"Με tab"_s});
  control[60] = '\t';
  QByteArray undefined = rec({u"Με κενό θέσης"_s});
  undefined[270] = char(0xAA);
  cat.setBytes(rec({{}, {}, u"Γραμμή\r\nδεύτερη"_s, {}, u"  0012 Ιστορία"_s}) + deleted() + nul + control + undefined +
               deleted() + deleted() + rec({{}, {}, {}, {}, u"12"_s}) + rec({{}, {}, {}, {}, u"7 Ποίηση"_s}) +
               rec({{}, {}, {}, {}, u"12 ξανά"_s}) + rec({{}, {}, {}, {}, u"7"_s}) + "tail");
  const Run r = run({u"check"_s, cat.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.split(u'\n', Qt::SkipEmptyParts),
            (QStringList{
                u"«Zelkor.dat»: 11 εγγραφές (3854 byte = 11 × 350 + 4, που στρογγυλεύονται σε 11)."_s,
                u"Μισή τελευταία εγγραφή: 4 byte μετά την εγγραφή 11· τα προγράμματα δεν τη δείχνουν."_s,
                u"Διαγραμμένες εγγραφές (3): 2, 6-7."_s,
                u"Εγγραφές με byte NUL (1): 3."_s,
                u"Εγγραφές με χαρακτήρες ελέγχου (1): 4."_s,
                u"Εγγραφές με byte που η Windows-1253 δεν ορίζει (1): 5."_s,
                u"Ο βιβλιάριθμος 7 υπάρχει σε 2 εγγραφές: 9, 11."_s,
                u"Ο βιβλιάριθμος 12 υπάρχει σε 3 εγγραφές: 1, 8, 10."_s,
            }));
}

TEST_F(TransferTest, CheckFindsRepeatsAmongWidelySpreadNumbers) {
  // A number every 10^6: pages of bits for them would cost far more than a table.
  QByteArray bytes;
  for (int i = 1; i <= 300; ++i) bytes += rec({{}, {}, {}, {}, QString::number(qint64(i) * 1000000 + 1)});
  bytes += rec({{}, {}, {}, {}, u"3000001"_s}) + rec({{}, {}, {}, {}, u"299000001"_s});
  cat.setBytes(bytes);
  const Run r = run({u"check"_s, cat.path()});
  EXPECT_TRUE(r.out.contains(u"Ο βιβλιάριθμος 3000001 υπάρχει σε 2 εγγραφές: 3, 301."_s)) << r.out.toStdString();
  EXPECT_TRUE(r.out.contains(u"Ο βιβλιάριθμος 299000001 υπάρχει σε 2 εγγραφές: 299, 302."_s)) << r.out.toStdString();
  EXPECT_EQ(r.out.count(u"βιβλιάριθμος"_s), 2);
}

TEST_F(TransferTest, ACleanCatalogueIsOneLineAndAMissingOneAFileError) {
  cat.setBytes(rec({u"Α"_s, {}, {}, {}, u"1"_s}) + deleted() + rec({u"Β"_s, {}, {}, {}, u"2"_s}));
  Run r = run({u"check"_s, cat.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, u"«Zelkor.dat»: 3 εγγραφές (1050 byte = 3 × 350).\nΔιαγραμμένες εγγραφές (1): 2.\n"_s);

  cat.setBytes(rec({u"Α"_s}));
  r = run({u"check"_s, cat.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, u"«Zelkor.dat»: 1 εγγραφή (350 byte = 1 × 350).\n"_s);

  r = run({u"check"_s, file(u"none.dat"_s)});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.err.contains(u"«none.dat»"_s));
}

TEST_F(TransferTest, TheCommandLineAnswersInGreekWithItsExitStatus) {
  EXPECT_EQ(run({u"--version"_s}).out, u"lomira-catalogue 3.2.0\n"_s);
  EXPECT_TRUE(run({u"--help"_s}).out.startsWith(u"Χρήση:\n"_s));
  const Run unknown = run({u"export"_s, u"--colour"_s, u"a"_s, u"b"_s});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err, u"lomira-catalogue: άγνωστη επιλογή «colour»\nΔείτε «lomira-catalogue --help».\n"_s);
  EXPECT_EQ(run({u"export"_s, u"--format"_s, u"pdf"_s, u"a"_s, u"b"_s}).status, 1);
  EXPECT_EQ(run({u"import"_s, u"--no-borrowers"_s, u"a"_s, u"b"_s}).err,
            u"lomira-catalogue: η επιλογή «--no-borrowers» δεν ταιριάζει στην εντολή «import»\n"
            "Δείτε «lomira-catalogue --help».\n"_s);
  EXPECT_EQ(run({}).status, 1);
}
