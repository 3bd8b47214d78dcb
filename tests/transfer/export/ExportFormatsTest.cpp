#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <functional>

#include "TransferFixture.h"
#include "catalogue/FieldLabels.h"
#include "support/MemoryOutput.h"
#include "transfer/export/CsvWriter.h"
#include "transfer/export/Export.h"
#include "transfer/export/ExportWriter.h"
#include "transfer/export/MarcExportWriter.h"
#include "transfer/export/XlsxWriter.h"

TEST_F(TransferTest, XlsxReadsBackAsTheSameTableWithABoldFrozenFilteredHeader) {
  cat.setBytes(awkwardCatalogue().mid(350));
  const Run r = run({u"export"_s, u"--format"_s, u"xlsx"_s, cat.path(), file(u"list.xlsx"_s)});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  const QJsonObject book = readXlsx(file(u"list.xlsx"_s));

  const QJsonArray rows = book[u"rows"_s].toArray();
  ASSERT_EQ(rows.size(), 4);
  QJsonArray header{u"Κωδικός"_s};
  for (int i = 0; i < 6; ++i) header.append(fieldLabel(i));
  EXPECT_EQ(rows[0].toArray(), header);
  EXPECT_EQ(
      QJsonDocument(rows[1].toArray()).toJson(QJsonDocument::Compact).toStdString(),
      QJsonDocument(QJsonArray{u"1"_s, u"   Τρεις κενοί μπροστά"_s, u" ένας"_s, u"Πρώτη γραμμή\nδεύτερη\n  τρίτη"_s,
                               u"Αθήνα, \"Εκδόσεις\", 2020"_s, u"\"1001\""_s, u"Παπαδοπούλου, Μαρία"_s})
          .toJson(QJsonDocument::Compact)
          .toStdString());
  EXPECT_EQ(rows[2].toArray()[3], u"~~~"_s);
  EXPECT_EQ(book[u"bold"_s].toArray(), QJsonArray({true, true, true, true, true, true, true}));
  EXPECT_EQ(book[u"frozen"_s], u"A2"_s);
  EXPECT_EQ(book[u"filter"_s], u"A1:G4"_s);
  // Wide enough for the longest line of each column, never wider than 60 characters.
  const QJsonArray widths = book[u"widths"_s].toArray();
  EXPECT_GE(widths[2].toDouble(), 26);
  EXPECT_LE(widths[2].toDouble(), 63);
}

TEST_F(TransferTest, MarcOfEveryFlavourIsAcceptedByYazWithoutBorrowersOrDeletedRecords) {
  cat.setBytes(awkwardCatalogue());
  struct Flavour {
    QString format;
    QStringList dumpOptions;
    QString title;
  };
  const Flavour flavours[] = {
      {u"marc21"_s, {}, u"245 00 $a Πρώτη γραμμή δεύτερη   τρίτη / $c Τρεις κενοί μπροστά ; ένας."_s},
      {u"marcxml"_s,
       {u"-i"_s, u"marcxml"_s},
       u"245 00 $a Πρώτη γραμμή δεύτερη   τρίτη / $c Τρεις κενοί μπροστά ; ένας."_s},
      {u"unimarc"_s, {}, u"200 1  $a Πρώτη γραμμή δεύτερη   τρίτη $f Τρεις κενοί μπροστά $g ένας"_s},
  };
  for (const Flavour& f : flavours) {
    const QString out = file(u"out."_s + f.format);
    const Run r = run({u"export"_s, u"--format"_s, f.format, cat.path(), out});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith(u"Γράφτηκαν 3 εγγραφές"_s)) << r.out.toStdString();
    const Output dump = runProgram(u"yaz-marcdump"_s, f.dumpOptions + QStringList{out});
    ASSERT_EQ(dump.status, 0) << f.format.toStdString() << dump.out.toStdString() << dump.err.toStdString();
    const QString text = QString::fromUtf8(dump.out);
    // Records 1, 2 and 4: the deleted record 3 stays behind.
    EXPECT_EQ(QStringList(text.split(u'\n').filter(QRegularExpression(u"^001 "_s))),
              (QStringList{u"001 1"_s, u"001 2"_s, u"001 4"_s}))
        << f.format.toStdString();
    EXPECT_TRUE(text.contains(f.title)) << text.toStdString();
    EXPECT_FALSE(text.contains(u"Παπαδοπούλου"_s)) << f.format.toStdString();
    EXPECT_FALSE(text.contains(u"~~~"_s));
  }
}

TEST_F(TransferTest, AnExportThatCannotBeWrittenSaysWhyAndLeavesNothing) {
  cat.setBytes(rec({u"Ένα"_s}));
  const Run missing = run({u"export"_s, u"--format"_s, u"csv"_s, file(u"none.dat"_s), file(u"a.csv"_s)});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err,
            u"Δεν ήταν δυνατή η ανάγνωση του αρχείου «none.dat»: το αρχείο ή ο φάκελός του δεν υπάρχει.\n"_s);
  const Run noFolder = run({u"export"_s, u"--format"_s, u"xlsx"_s, cat.path(), file(u"no/such/folder/a.xlsx"_s)});
  EXPECT_EQ(noFolder.status, 2);
  EXPECT_TRUE(noFolder.err.startsWith(u"Δεν ήταν δυνατή η εγγραφή στο αρχείο «a.xlsx»: "_s))
      << noFolder.err.toStdString();
  EXPECT_EQ(QDir(cat.dir()).entryList(QDir::Files), QStringList{u"Zelkor.dat"_s});
}

TEST_F(TransferTest, OnlyAFormatTheListSaysIsWrittenIsWrittenAndTheToolKnowsThemByName) {
  cat.setBytes(rec({u"Ένα"_s}));
  for (const FileFormat& format : fileFormats()) {
    SCOPED_TRACE(format.name.toStdString());
    EXPECT_EQ(exportFormatNamed(format.name).has_value(), format.canWrite());
    const ExportResult result = exportCatalogue(cat.path(), file(u"out."_s + format.suffixes.first()), {format.id});
    EXPECT_EQ(result.status, format.canWrite() ? ExportResult::Status::Done : ExportResult::Status::Refused);
  }
  EXPECT_EQ(QDir(cat.dir()).entryList({u"out.*"_s}, QDir::Files),
            (QStringList{u"out.csv"_s, u"out.mrc"_s, u"out.xlsx"_s, u"out.xml"_s}));
}

TEST_F(TransferTest, AnXlsxExportOfMoreRecordsThanASheetHoldsIsRefusedUpFront) {
  // Sparse: the refusal comes from the length alone, before any reading.
  QFile big(cat.path());
  ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(qint64(1048576) * CatalogueRecord::kLength));
  big.close();
  const Run r = run({u"export"_s, u"--format"_s, u"xlsx"_s, cat.path(), file(u"a.xlsx"_s)});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      u"Το αρχείο «a.xlsx» δεν γράφτηκε: ο κατάλογος έχει 1048576 εγγραφές, ενώ ένα φύλλο xlsx χωρά 1048575.\n"_s);
  EXPECT_EQ(QDir(cat.dir()).entryList(QDir::Files), QStringList{u"Zelkor.dat"_s});
}

TEST_F(TransferTest, ACancelledXlsxExportLeavesNoFile) {
  cat.setBytes(rec({u"Ένα"_s}).repeated(5000));
  const ExportResult r =
      exportCatalogue(cat.path(), file(u"a.xlsx"_s), {ExportFormat::Xlsx, true}, [](qint64, qint64) { return false; });
  EXPECT_EQ(r.status, ExportResult::Status::Cancelled);
  EXPECT_EQ(QDir(cat.dir()).entryList(QDir::Files), QStringList{u"Zelkor.dat"_s});
}

// The library behind xlsx names its files in 8 bits; on Windows a Greek folder
// and file name must still get the workbook, and nothing else.
TEST_F(TransferTest, AnXlsxExportIntoAGreekFolderAndNameLeavesOnlyTheWorkbook) {
  cat.setBytes(rec({u"Ένα"_s}).repeated(3));
  const QString folder = file(u"Κατάλογοι"_s);
  ASSERT_TRUE(QDir().mkdir(folder));
  const ExportResult r = exportCatalogue(cat.path(), folder + u"/λίστα.xlsx"_s, {ExportFormat::Xlsx, true},
                                         [](qint64, qint64) { return true; });
  EXPECT_EQ(r.status, ExportResult::Status::Done) << r.error.toStdString();
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{u"λίστα.xlsx"_s});
  EXPECT_EQ(QDir(cat.dir()).entryList(QDir::Files), QStringList{u"Zelkor.dat"_s});
  QFile book(folder + u"/λίστα.xlsx"_s);
  ASSERT_TRUE(book.open(QIODevice::ReadOnly));
  EXPECT_EQ(book.read(2), "PK") << "a zipped workbook";
}

TEST_F(TransferTest, EveryFormatWritesIntoMemoryWhatTheToolWritesIntoAFile) {
  const QByteArray catalogue = awkwardCatalogue();
  cat.setBytes(catalogue);
  struct Format {
    QString name;
    std::function<std::unique_ptr<ExportWriter>(ExportOutput&)> make;
    std::vector<int> fields;
  };
  const Format formats[] = {
      {u"csv"_s, makeCsvWriter, {0, 1, 2, 3, 4, 5}},
      {u"xlsx"_s, makeXlsxWriter, {0, 1, 2, 3, 4, 5}},
      {u"marc21"_s,
       [](ExportOutput& o) { return makeMarcWriter(o, MarcStandard::Marc21, MarcEncoding::Iso2709, marcAtMoment()); },
       {0, 1, 2, 3, 4}},
      {u"marcxml"_s,
       [](ExportOutput& o) { return makeMarcWriter(o, MarcStandard::Marc21, MarcEncoding::MarcXml, marcAtMoment()); },
       {0, 1, 2, 3, 4}},
      {u"unimarc"_s,
       [](ExportOutput& o) { return makeMarcWriter(o, MarcStandard::Unimarc, MarcEncoding::Iso2709, marcAtMoment()); },
       {0, 1, 2, 3, 4}},
  };
  for (const Format& f : formats) {
    MemoryOutput memory(cat.dir());
    const std::unique_ptr<ExportWriter> writer = f.make(memory);
    ASSERT_TRUE(writer->begin(f.fields));
    for (qint32 n = 1; n <= catalogue.size() / CatalogueRecord::kLength; ++n)
      ASSERT_TRUE(writer->write(n, catalogue.constData() + (n - 1) * CatalogueRecord::kLength));
    ASSERT_TRUE(writer->finish() && memory.commit()) << writer->error().toStdString();

    const QString written = file(u"out."_s + f.name);
    ASSERT_EQ(run({u"export"_s, u"--format"_s, f.name, cat.path(), written}).status, 0);
    if (f.name == u"xlsx"_s) {
      // A workbook carries the moment it was made: the sheets must agree.
      writeAll(file(u"memory.xlsx"_s), memory.bytes);
      EXPECT_EQ(readXlsx(file(u"memory.xlsx"_s)), readXlsx(written));
    } else {
      EXPECT_EQ(memory.bytes, readAll(written)) << f.name.toStdString();
    }
  }
  // The workbook's working files are gone.
  EXPECT_EQ(QDir(cat.dir()).entryList(QDir::Files).size(), qsizetype(1 + std::size(formats) + 1));
}
