// Files made to harm the import: each is refused in Greek, naming what is
// wrong, quickly and in little memory, and the catalogue stays as it was.
#include <QFileInfo>
#include <cstring>

#include "RefusalFixture.h"

class HostileFilesTest : public RefusalTest {
 protected:
  static QByteArray header() { return R"(<row r="1"><c t="inlineStr"><is><t>Τίτλος</t></is></c></row>)"; }
  static QByteArray odsHeader() { return odsRow(odsCell("Τίτλος")); }
  QString odsTable(const QString& name, const QByteArray& rows) {
    return makeOds(name, "<table:table table:name=\"Α\">" + rows + "</table:table>");
  }
};

TEST_F(HostileFilesTest, XmlNestedWithoutEndIsRefusedAtTheBound) {
  QByteArray deep;
  for (int i = 0; i < 200000; ++i) deep += "<a>";
  makeXlsxParts(u"deep.xlsx"_s, header() + "<row r=\"2\"><c t=\"inlineStr\"><is>" + deep, {});
  refused(u"deep.xlsx"_s, u"έχει στοιχεία φωλιασμένα πάνω από 64 επίπεδα"_s);
  QByteArray spans;
  for (int i = 0; i < 200000; ++i) spans += "<text:span>";
  odsTable(u"deep.ods"_s, odsHeader() + "<table:table-row><table:table-cell><text:p>" + spans);
  refused(u"deep.ods"_s, u"«content.xml» έχει στοιχεία φωλιασμένα πάνω από 64 επίπεδα"_s);
  // Where the reader passes over an element unread, too.
  odsTable(u"skipped.ods"_s, "<table:table-column>" + spans);
  refused(u"skipped.ods"_s, u"φωλιασμένα"_s);
}

TEST_F(HostileFilesTest, ATagWithThousandsOfAttributesIsRefusedBeforeQtComparesThem) {
  QByteArray attributes;
  for (int i = 0; i < 20000; ++i) attributes += " a" + QByteArray::number(i) + "=\"\"";
  makeXlsxParts(u"attributes.xlsx"_s, header() + "<row r=\"2\"" + attributes + "/>", {});
  refused(u"attributes.xlsx"_s, u"ένα στοιχείο του μέρους «xl/worksheets/a.xml» έχει πάνω από 1000 ιδιότητες"_s);
  writeAll(file(u"attributes.xml"_s),
           "<collection xmlns=\"http://www.loc.gov/MARC21/slim\"><record><datafield tag=\"245\"" + attributes +
               "/></record></collection>");
  refused(u"attributes.xml"_s, u"ένα στοιχείο XML έχει πάνω από 1000 ιδιότητες"_s);
}

TEST_F(HostileFilesTest, TextBeyondWhatACellHoldsIsRefusedNotCutUnseen) {
  // Blanks that would push the rest of the title out of the cell.
  odsTable(u"blanks.ods"_s, odsHeader() + odsRow(odsCell(u"Οδύ<text:s text:c=\"999999999999\"/>σσεια"_s.toUtf8())));
  refused(u"blanks.ods"_s, u"σειρά 2: ένα κελί έχει κείμενο πάνω από 32767 χαρακτήρες"_s);
  // One text node of megabytes is never held whole.
  makeXlsxParts(u"node.xlsx"_s, header(), "<si><t>" + QByteArray(3 << 20, 'x') + "</t></si>");
  refused(u"node.xlsx"_s, u"το μέρος «xl/strings.xml» έχει κείμενο πάνω από 1 MB χωρίς διακοπή"_s);
}

TEST_F(HostileFilesTest, RowsAndCellsBeyondASheetsOwnAreRefusedBlankOrNot) {
  QByteArray blanks;
  for (int i = 0; i < 20000; ++i) blanks += "<c/>";
  makeXlsxParts(u"cells.xlsx"_s, header() + "<row r=\"2\">" + blanks + "</row>", {});
  refused(u"cells.xlsx"_s, u"η σειρά 2 έχει πάνω από 16384 στήλες"_s);
  QByteArray rows;
  for (int i = 0; i < 1048577; ++i) rows += "<table:table-row/>";
  odsTable(u"rows.ods"_s, odsHeader() + rows);
  refused(u"rows.ods"_s, u"το φύλλο έχει πάνω από 1048576 σειρές"_s);
}

TEST_F(HostileFilesTest, RepeatedRowsMakeNoMoreThanTheBoundOfRecords) {
  odsTable(u"repeats.ods"_s, odsHeader() + odsRow(odsCell("Βιβλίο"), 1048575));
  refused(u"repeats.ods"_s, u"σειρά 2: το αρχείο δίνει σειρές ως επαναλήψεις (αυτή 1048575 φορές)"_s);
  // A few repeats are a sheet's own way of writing equal rows.
  odsTable(u"few.ods"_s, odsHeader() + odsRow(odsCell("Βιβλίο"), 3));
  EXPECT_EQ(run({u"import"_s, u"--allow-repeats"_s, file(u"few.ods"_s), cat.path()}).status, 0);
  EXPECT_EQ(cat.bytes().size(), 4 * CatalogueRecord::kLength);
}

TEST_F(HostileFilesTest, XlsWhoseStructureCannotBeFollowedIsRefusedBeforeFreeXlOpensIt) {
  // The table of links continues in a sector that points to itself.
  changedXls(u"loop.xls"_s, [](QByteArray& bytes, qsizetype) {
    const quint32 sector = quint32((bytes.size() - 512) / 512);
    QByteArray looping(512, '\xFF');
    put32(looping, 508, sector);
    bytes += looping;
    put32(bytes, 0x44, sector);
    put32(bytes, 0x48, 1);
  });
  refused(u"loop.xls"_s, u"η δομή του αρχείου xls δεν διαβάζεται"_s);
  // A mini sector of 128 bytes, which no xls has.
  changedXls(u"mini.xls"_s, [](QByteArray& bytes, qsizetype) { put16(bytes, 0x20, 7); });
  refused(u"mini.xls"_s, u"η δομή του αρχείου xls δεν διαβάζεται"_s);
  // The workbook stream declared small, so kept in the mini stream.
  changedXls(u"small.xls"_s, [](QByteArray& bytes, qsizetype) {
    for (qsizetype at = 0; (at = bytes.indexOf(QByteArray("W\0o\0r\0k\0b\0o\0o\0k\0", 16), at)) >= 0; at += 16)
      put32(bytes, at + 0x78, 4000);
  });
  refused(u"small.xls"_s, u"κάτω από 4096 byte"_s);
  // A cell's text claiming thousands of characters in a record of a few dozen
  // bytes: FreeXL would write past its buffer.
  changedXls(u"text.xls"_s,
             [](QByteArray& bytes, qsizetype book) { put16(bytes, recordOf(bytes, book, 0x0204, 0) + 10, 0x3368); });
  refused(u"text.xls"_s, u"δηλώνει περισσότερους χαρακτήρες από όσους έχει"_s);
}

TEST_F(HostileFilesTest, XlsDatesBeyondTheCalendarAreRefusedBeforeFreeXlSpendsMinutesOnThem) {
  // The style of the numbers made a date, and 3,5 (cell D4) moved to the year 5.9 million.
  changedXls(u"date.xls"_s, [](QByteArray& bytes, qsizetype book) {
    put16(bytes, recordOf(bytes, book, 0x00E0, 16) + 6, 14);
    const qsizetype number = recordOf(bytes, book, 0x0203, 1);
    const double far = 2147483000.0;
    std::memcpy(bytes.data() + number + 10, &far, sizeof far);
  });
  refused(u"date.xls"_s, u"το κελί D4 έχει ημερομηνία έξω από το ημερολόγιο (2147483000)"_s);
}

TEST_F(HostileFilesTest, CsvHalfPairsAndTooManyRowsAreRefused) {
  // UTF-16 LE: a first half of a pair with no second half in the title.
  QByteArray utf16("\xFF\xFE", 2);
  for (const QString& line : {u"Τίτλος\r\n"_s, u"Οδύ\xD800σσεια\r\n"_s})
    utf16 += QByteArray(reinterpret_cast<const char*>(line.utf16()), line.size() * 2);
  writeAll(file(u"half.csv"_s), utf16);
  refused(u"half.csv"_s, u"σειρά 2, στήλη «ΚΥΡΙΟΣ ΤΙΤΛΟΣ"_s);
  // A half at the very end too, which waits for a block that never comes.
  writeAll(file(u"end.csv"_s), utf16.left(utf16.size() - 4) + QByteArray("\x00\xD8", 2));
  refused(u"end.csv"_s, u"(U+FFFD)"_s);

  QByteArray rows = "Τίτλος\n";
  rows.reserve(3 << 20);
  for (int i = 0; i < 1048576; ++i) rows += "x\n";
  writeAll(file(u"rows.csv"_s), rows);
  refused(u"rows.csv"_s, u"σειρά 1048577: ο πίνακας έχει πάνω από 1048576 σειρές"_s);
}

TEST_F(HostileFilesTest, MarcLostOrMistakenIsRefusedNotStoredEmpty) {
  // MARC-8 with an escape to a set that does not exist, in the title.
  isoFile(u"escape.mrc"_s, "00000nam  2200000 a 4500\n001 e1\n245 00 $a Odys\x1B(Xseia\n");
  refused(u"escape.mrc"_s, u"το κείμενο του πεδίου 245 δεν είναι γραμμένο σωστά στο σύνολο χαρακτήρων"_s);
  // Subfield codes of five bytes, which YAZ would read past the record for.
  QByteArray codes = ::readAll(isoFile(u"codes.mrc"_s, "00000nam a2200000 a 4500\n001 c1\n245 00 $a Title\n"));
  codes[11] = '5';
  writeAll(file(u"codes.mrc"_s), codes);
  refused(u"codes.mrc"_s, u"δηλώνει μήκη δεικτών, κωδικών υποπεδίων ή καταχωρίσεων που δεν έχει το MARC"_s);
  writeAll(file(u"empty.mrc"_s), {});
  refused(u"empty.mrc"_s, u"«empty.mrc» δεν έχει καμία εγγραφή"_s);
  // Records that are each the start of a MARC record and blanks, under no MARC name.
  QByteArray leaders;
  for (int i = 0; i < 24; ++i) leaders += QByteArray("00350nam a2200025 a 4500").leftJustified(350, ' ');
  writeAll(file(u"leaders.bin"_s), leaders);
  refused(u"leaders.bin"_s, u"οι εγγραφές του αρχίζουν με την αρχή (leader) μιας εγγραφής MARC"_s,
          {u"--allow-repeats"_s});
}

#ifndef _WIN32  // the real tool's peak memory and signals as POSIX systems have them
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <thread>

#include "transfer/ReadingStop.h"
#include "transfer/import/Import.h"
#include "transfer/import/ImportPreview.h"

namespace {

// The budget the README names for a whole import.
constexpr long kBudgetKb = 512 * 1024;

// The real tool run on `args`, with its exit status and its peak memory.
struct Measured {
  int status = -1;
  long peakKb = 0;
};
Measured runTool(const QStringList& args, int signalAfterMs = -1) {
  QList<QByteArray> held{QByteArrayLiteral(LOMIRA_CATALOGUE_TOOL)};
  for (const QString& arg : args) held.append(QFile::encodeName(arg));
  std::vector<char*> argv;
  for (QByteArray& arg : held) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (signalAfterMs >= 0) {
    QThread::msleep(signalAfterMs);
    kill(pid, SIGINT);
  }
  Measured m;
  rusage usage{};
  if (wait4(pid, &m.status, 0, &usage) == pid) m.peakKb = usage.ru_maxrss;
  return m;
}

}  // namespace

class HostileImportTest : public HostileFilesTest {
 protected:
  // A million blank rows between the header and a book, which keep the
  // reader some seconds from handing on a record.
  QString blankRows() {
    QByteArray blanks;
    blanks.reserve(1040000 * 55);
    for (int i = 0; i < 1040000; ++i) blanks += "<table:table-row><table:table-cell/></table:table-row>";
    return odsTable(u"blank.ods"_s, odsHeader() + blanks + odsRow(odsCell("Βιβλίο")));
  }
};

TEST_F(HostileImportTest, EachHostileFileIsRefusedWithinTheMemoryBudget) {
  QByteArray empty;
  for (int i = 0; i < 4500000; ++i) empty += "<si/>";
  makeXlsxParts(u"strings.xlsx"_s, header(), empty);
  refused(u"strings.xlsx"_s,
          u"τα κοινά κείμενα, οι μορφές αριθμών και οι σχέσεις των μερών του χρειάζονται πάνω από "
          u"192 MB μνήμης"_s);
  QByteArray deep;
  for (int i = 0; i < 1000000; ++i) deep += "<a>";
  makeXlsxParts(u"deep.xlsx"_s, header() + "<row r=\"2\"><c t=\"inlineStr\"><is>" + deep, {});
  makeXlsxParts(u"node.xlsx"_s, header(), "<si><t>" + QByteArray(200 << 20, 'x') + "</t></si>");
  odsTable(u"repeats.ods"_s, odsHeader() + odsRow(odsCell("Βιβλίο"), 1048575));
  for (const QString& name : {u"strings.xlsx"_s, u"deep.xlsx"_s, u"node.xlsx"_s, u"repeats.ods"_s}) {
    const Measured m = runTool({u"import"_s, file(name), cat.path()});
    EXPECT_TRUE(WIFEXITED(m.status) && WEXITSTATUS(m.status) == 1) << name.toStdString();
#ifndef __SANITIZE_ADDRESS__  // whose shadow memory counts too
    EXPECT_LT(m.peakKb, kBudgetKb) << name.toStdString();
#endif
    RecordProperty(QFileInfo(name).completeBaseName().toStdString() + "_peak_kb", int(m.peakKb));
    EXPECT_EQ(cat.bytes(), before);
  }
}

TEST_F(HostileImportTest, CtrlCWhileNoRecordComesEndsTheToolWithTheCatalogueWhole) {
  blankRows();
  QElapsedTimer taken;
  taken.start();
  const Measured m = runTool({u"import"_s, file(u"blank.ods"_s), cat.path()}, 300);
  const qint64 ms = taken.elapsed();
  EXPECT_TRUE(WIFSIGNALED(m.status) && WTERMSIG(m.status) == SIGINT) << m.status;
  // Reading the whole file takes seconds more: the stop was heard between
  // the blank rows, not at the book after them.
  EXPECT_LT(ms, 300 + 2000);
  RecordProperty("stopped_after_ms", int(ms));
  EXPECT_EQ(cat.bytes(), before);
}

TEST_F(HostileImportTest, AReadingIsStoppedFromAnotherThread) {
  blankRows();
  // Asked again and again: each reading clears what was asked before it began.
  const auto stopping = [](std::atomic<bool>& done) {
    while (!done) {
      stopReading();
      QThread::msleep(5);
    }
  };
  std::atomic<bool> done{false};
  ImportPreview preview;
  std::thread reading([&] {
    preview = previewImport(file(u"blank.ods"_s), {});
    done = true;
  });
  stopping(done);
  reading.join();
  EXPECT_TRUE(preview.rows.isEmpty()) << preview.rows.size();
  EXPECT_EQ(preview.error, u"η ανάγνωση σταμάτησε"_s);

  done = false;
  ImportResult result;
  std::thread importing([&] {
    result = importIntoCatalogue(file(u"blank.ods"_s), cat.path(), {});
    done = true;
  });
  stopping(done);
  importing.join();
  EXPECT_EQ(result.status, ImportResult::Status::Cancelled)
      << result.failure.toStdString()
      << (result.refusals.listed.isEmpty() ? std::string() : result.refusals.listed.first().text.toStdString());
  EXPECT_EQ(cat.bytes(), before);
}
#endif
