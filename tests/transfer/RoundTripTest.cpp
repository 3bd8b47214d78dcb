#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <csignal>

#include "TransferFixture.h"
#include "catalogue/file/CatalogueLock.h"

TEST_F(TransferTest, CsvExportThenImportIntoAnEmptyCatalogueIsByteIdentical) {
  const QByteArray original = awkwardCatalogue();
  cat.setBytes(original);
  const Run exported = run({u"export"_s, u"--format"_s, u"csv"_s, cat.path(), file(u"out.csv"_s)});
  ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
  EXPECT_FALSE(QFile::exists(file(u"out.csv.lomira-part"_s)));

  const Run imported = run({u"import"_s, file(u"out.csv"_s), file(u"new.dat"_s)});
  ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
  EXPECT_EQ(readAll(file(u"new.dat"_s)), original);
  EXPECT_TRUE(imported.out.contains(u"με κωδικούς 1 έως 4"_s)) << imported.out.toStdString();

  // What a spreadsheet program reads: a byte-order mark, the header, quoted
  // cells where blanks lead or quotes, commas and line breaks stand.
  const QByteArray bytes = readAll(file(u"out.csv"_s));
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
  const QString csv = QString::fromUtf8(bytes.mid(3));
  EXPECT_TRUE(csv.startsWith(u"Κωδικός,ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ,"_s));
  EXPECT_TRUE(
      csv.contains(u"\r\n2,\"   Τρεις κενοί μπροστά\",\" ένας\",\"Πρώτη γραμμή\r\nδεύτερη\r\n  τρίτη\","
                   "\"Αθήνα, \"\"Εκδόσεις\"\", 2020\",\"\"\"1001\"\"\",\"Παπαδοπούλου, Μαρία\"\r\n"_s));
  EXPECT_TRUE(csv.contains(u"\r\n3,~~~,~~~,~~~,~~~,~~~,~~~\r\n"_s));
}

TEST_F(TransferTest, NoBorrowersLeavesTheColumnOutAndImportsItBlank) {
  cat.setBytes(awkwardCatalogue());
  ASSERT_EQ(run({u"export"_s, u"--format"_s, u"csv"_s, u"--no-borrowers"_s, cat.path(), file(u"list.csv"_s)}).status,
            0);
  const QString csv = QString::fromUtf8(readAll(file(u"list.csv"_s)));
  EXPECT_FALSE(csv.contains(u"Δανειζόμενου"_s));
  EXPECT_FALSE(csv.contains(u"Παπαδοπούλου"_s));

  ASSERT_EQ(run({u"import"_s, file(u"list.csv"_s), file(u"new.dat"_s)}).status, 0);
  const QByteArray back = readAll(file(u"new.dat"_s));
  ASSERT_EQ(back.size(), awkwardCatalogue().size());
  EXPECT_EQ(back.mid(350 + 300, 50), QByteArray(50, ' '));
  EXPECT_EQ(back.left(300), awkwardCatalogue().left(300));
}

TEST_F(TransferTest, ACsvOfManyBlocksRoundTripsAndAWriteFailingPartWayIsReportedWithNothingLeft) {
  // About 3 MiB of csv: the blocks pass between the filling and the writing thread.
  QByteArray original;
  while (original.size() < (4 << 20)) original += awkwardCatalogue();
  cat.setBytes(original);
  const Run exported = run({u"export"_s, u"--format"_s, u"csv"_s, cat.path(), file(u"out.csv"_s)});
  ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
  // The copies of the same records repeat their book numbers.
  ASSERT_EQ(run({u"import"_s, u"--allow-repeats"_s, file(u"out.csv"_s), file(u"new.dat"_s)}).status, 0);
  EXPECT_EQ(readAll(file(u"new.dat"_s)), original);

#ifndef _WIN32  // Windows has no limit on a file's size to set
  // A limit on the file size fails the second block's write in the writing thread.
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  const rlimit limited{3 << 19, before.rlim_max};
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limited);
  const Run failed = run({u"export"_s, u"--format"_s, u"csv"_s, cat.path(), file(u"a.csv"_s)});
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(failed.status, 2);
  EXPECT_EQ(failed.err,
            u"Δεν ήταν δυνατή η εγγραφή στο αρχείο «a.csv»: το αρχείο έφτασε το μέγιστο επιτρεπτό μέγεθος.\n"_s);
  EXPECT_FALSE(QFile::exists(file(u"a.csv"_s)));
  EXPECT_FALSE(QFile::exists(file(u"a.csv.lomira-part"_s)));
#endif
}

TEST_F(TransferTest, ACatalogueFileIsAppendedRecordForRecordAfterTheLastRecord) {
  cat.setBytes(rec({u"Πρώτο"_s}) + rec({u"Δεύτερο"_s}));
  writeAll(file(u"other.dat"_s), awkwardCatalogue());
  const Run r = run({u"import"_s, file(u"other.dat"_s), cat.path()});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, u"Προστέθηκαν 4 εγγραφές στον «Zelkor.dat», με κωδικούς 3 έως 6.\n"_s);
  EXPECT_EQ(cat.bytes(), rec({u"Πρώτο"_s}) + rec({u"Δεύτερο"_s}) + awkwardCatalogue());

  // A torn file is no catalogue to copy from.
  writeAll(file(u"torn.dat"_s), awkwardCatalogue() + "abc");
  const QByteArray before = cat.bytes();
  const Run torn = run({u"import"_s, file(u"torn.dat"_s), cat.path()});
  EXPECT_EQ(torn.status, 1);
  EXPECT_TRUE(torn.err.contains(u"1403 byte"_s)) << torn.err.toStdString();
  EXPECT_EQ(cat.bytes(), before);
}

TEST_F(TransferTest, ACatalogueOpenForEditingIsRefusedWithTheEditorsMessage) {
  cat.setBytes(rec({u"Πρώτο"_s}));
  writeAll(file(u"in.csv"_s), "\xEF\xBB\xBF\xCE\x9A\xCF\x89\xCE\xB4\xCE\xB9\xCE\xBA\xCF\x8C\xCF\x82\r\n7\r\n");
  CatalogueLock librarian;
  ASSERT_EQ(librarian.acquire(cat.path()), CatalogueLock::Result::Acquired);
  const Run r = run({u"import"_s, file(u"in.csv"_s), cat.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, kKeptAsItWas +
                       u"Ο κατάλογος «Zelkor.dat» είναι ήδη ανοικτός για καταχώριση σε άλλο πρόγραμμα.\n"
                       "Κλείστε το άλλο πρόγραμμα και ξεκινήστε ξανά.\n"_s);
  EXPECT_EQ(cat.bytes(), rec({u"Πρώτο"_s}));
}

TEST_F(TransferTest, TheCatalogueIsToldFromTheOutputTheWorkingFileAndTheInputByIdentityNotByName) {
  const QByteArray original = awkwardCatalogue();
  // A catalogue named like another name's part file.
  writeAll(file(u"cat.part"_s), original);
  EXPECT_EQ(run({u"export"_s, u"--format"_s, u"csv"_s, file(u"cat.part"_s), file(u"cat"_s)}).status, 0);
  EXPECT_EQ(readAll(file(u"cat.part"_s)), original);
  writeAll(file(u"cat.lomira-part"_s), original);
  Run r = run({u"export"_s, u"--format"_s, u"csv"_s, file(u"cat.lomira-part"_s), file(u"cat"_s)});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(readAll(file(u"cat.lomira-part"_s)), original);

#ifndef _WIN32  // the Windows driver makes its hard link with the system's own call
  // Another name of the same file: a hard link.
  cat.setBytes(original);
  ASSERT_TRUE(::link(QFile::encodeName(cat.path()).constData(), QFile::encodeName(file(u"same.dat"_s)).constData()) ==
              0);
  r = run({u"export"_s, u"--format"_s, u"csv"_s, cat.path(), file(u"same.dat"_s)});
  EXPECT_EQ(r.status, 1);
  for (const QString& input : {cat.path(), file(u"same.dat"_s)}) {
    r = run({u"import"_s, input, cat.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, kKeptAsItWas +
                         u"Η εισαγωγή δεν γίνεται από τον ίδιο τον κατάλογο «Zelkor.dat» στον εαυτό του: "
                         "διαλέξτε άλλο αρχείο.\n"_s);
  }
  EXPECT_EQ(cat.bytes(), original);
#endif
}
