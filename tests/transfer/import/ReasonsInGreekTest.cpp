// What the tool says when an import cannot be done: the reason in Greek, in
// a librarian's words, naming where; and never "as it was" when an earlier,
// unfinished import had just been undone.
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "RefusalFixture.h"
#include "catalogue/file/ImportJournal.h"
#include "support/ImportTestFiles.h"
#include "transfer/XmlProblem.h"

class ReasonsInGreekTest : public RefusalTest {
 protected:
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
    const Run r = RefusalTest::refused(name, reason);
    EXPECT_FALSE(hasEnglishSentence(r.err)) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(u"δεν είναι κατάλογος"_s)) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(u"δεν έχει γραμμές"_s)) << r.err.toStdString();
  }

  // Three Latin words in a row outside brackets: a library's sentence.
  static bool hasEnglishSentence(const QString& text) {
    QString outside = text;
    outside.remove(QRegularExpression(u"\\([^)]*\\)|«[^»]*»"_s));
    return outside.contains(QRegularExpression(u"[A-Za-z]+ [A-Za-z]+ [A-Za-z]+"_s));
  }

  const QString kUndone = importjournal::undoneNotice(u"Zelkor.dat"_s) + u"\n"_s;
};

#ifndef _WIN32  // the real tool started as a POSIX system starts it, and a file-size limit as its shells set it
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

TEST_F(ReasonsInGreekTest, XmlMistakesAreToldInGreekWithThePartLineAndColumn) {
  // An entity that grows to gigabytes.
  QByteArray entities = "<!ENTITY e0 \"ΑΒΓΔΕΖΗΘΙΚ\">";
  for (int i = 1; i < 10; ++i)
    entities += "<!ENTITY e" + QByteArray::number(i) + " \"" +
                QByteArray("&e" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
  writeAll(file(u"entities.xml"_s), "<?xml version=\"1.0\"?>\n<!DOCTYPE collection [" + entities +
                                        "]>\n<collection xmlns=\"http://www.loc.gov/MARC21/slim\"><record>"
                                        "<leader>&e9;</leader></record></collection>\n");
  refused(u"entities.xml"_s, u"στη γραμμή 3, στήλη 71: μια οντότητα (entity) γίνεται πάρα πολύ κείμενο"_s);

  // A byte no UTF-8 holds, in the third line, where Qt's reader would name the first.
  const QString before = u"<record><datafield tag=\"245\" ind1=\"0\" ind2=\"0\"><subfield code=\"a\">Ο"_s;
  QByteArray early = marcXml(before + u"δύσσεια</subfield></datafield></record>\n"_s).toUtf8();
  early.replace("Οδύ", "Ο\xFF\xFE");
  writeAll(file(u"early.xml"_s), early);
  refused(u"early.xml"_s,
          u"το αρχείο MARCXML «early.xml» δεν διαβάζεται στην εγγραφή 1 (στη γραμμή 1): δεν είναι "
          "σωστό XML στη γραμμή 3, στήλη %1: έχει χαρακτήρες που δεν είναι γραμμένοι σωστά"_s.arg(before.size() + 1));

  const QByteArray header = R"(<row r="1"><c t="inlineStr"><is><t>Τίτλος</t></is></c></row>)";
  makeXlsxParts(u"mismatch.xlsx"_s, header + R"(<row r="2"><c t="inlineStr"><is><t>Βιβλίο</t></is></c></rw>)", {});
  refused(u"mismatch.xlsx"_s,
          u"το μέρος «xl/worksheets/a.xml» δεν είναι σωστό XML στη γραμμή 1, στήλη 207: ένα "
          "στοιχείο κλείνει με άλλο όνομα από εκείνο με το οποίο άνοιξε"_s);
  makeOds(u"byte.ods"_s,
          "<table:table table:name=\"Α\">" + odsRow(odsCell("Τίτλος")) + odsRow(odsCell("Ο\xFF")) + "</table:table>");
  refused(u"byte.ods"_s, u"το μέρος «content.xml» δεν είναι σωστό XML στη γραμμή 2, στήλη "_s);
}

TEST_F(ReasonsInGreekTest, MarcDamagedEarlyIsRefusedAsMarcWhereItBreaks) {
  // A leader whose directory does not end where it says (a blank where its
  // terminator belongs), under no MARC name.
  const QByteArray data =
      "00\x1F"
      "aOdysseia\x1E\x1D";
  const QByteArray iso = QByteArray::number(37 + data.size()).rightJustified(5, '0') + "nam a2200037 a 4500" + "245" +
                         QByteArray::number(data.size() - 1).rightJustified(4, '0') + "00000" + " " + data;
  writeAll(file(u"book.bin"_s), iso);
  refused(u"book.bin"_s,
          u"το αρχείο MARC (ISO 2709) «book.bin» δεν διαβάζεται στην εγγραφή 1 (στο byte 0): ο "
          "κατάλογος πεδίων της εγγραφής δεν τελειώνει εκεί που λέει η αρχή της"_s);
  // MARCXML broken before its first element.
  writeAll(file(u"broken.xml"_s),
           "<?xml version=\"1.0\"?>\n<marc:collection xmlns:marc=\"http://www.loc.gov/MARC21/slim\" a=\"1\" a=\"2\">");
  refused(u"broken.xml"_s, u"το αρχείο MARCXML «broken.xml» δεν διαβάζεται στην εγγραφή 1"_s);
}

TEST_F(ReasonsInGreekTest, ACsvQuoteNeverClosedIsToldAtTheRowWhereItOpens) {
  writeAll(file(u"open.csv"_s), "Τίτλος\r\n\"Οδύσσεια\r\n" + QByteArray(70000, 'x') + "\r\n");
  refused(u"open.csv"_s, u"σειρά 2: τα εισαγωγικά ενός κελιού δεν κλείνουν ως το τέλος του αρχείου"_s);
  writeAll(file(u"later.csv"_s),
           "Τίτλος\r\n\"Οδύσσεια\r\n" + QByteArray("Βιβλίο\r\n").repeated(5000) + "\"Ιλιάδα\"\r\n");
  refused(u"later.csv"_s, u"σειρά 2: τα εισαγωγικά ενός κελιού κλείνουν μόνο μετά από 65536 byte"_s);
  writeAll(file(u"long.csv"_s), "Τίτλος\r\n" + QByteArray(70000, 'x'));
  refused(u"long.csv"_s, u"σειρά 2: πάνω από 65536 byte χωρίς αλλαγή γραμμής"_s);
  writeAll(file(u"header.csv"_s), "\"Τίτλος\r\n" + QByteArray(70000, 'x'));
  refused(u"header.csv"_s, u"σειρά 1: τα εισαγωγικά ενός κελιού δεν κλείνουν ως το τέλος του αρχείου"_s);

  // A half pair of UTF-16 is the file's fault, not a letter the code page lacks.
  QByteArray utf16("\xFF\xFE", 2);
  for (const QString& line : {u"Τίτλος\r\n"_s, u"Οδύ\xD800σσεια\r\n"_s})
    utf16 += QByteArray(reinterpret_cast<const char*>(line.utf16()), line.size() * 2);
  writeAll(file(u"half.csv"_s), utf16);
  refused(u"half.csv"_s,
          u"το αρχείο έχει εδώ το σημάδι «�» στη θέση ενός χαρακτήρα που χάθηκε ή είναι γραμμένος λάθος"_s);
}

TEST(XmlProblem, EveryMistakeQtsReaderReportsIsWordedInGreek) {
  const char* const broken[] = {
      "<a><b></a>",
      "<a>\xFF</a>",
      "<!DOCTYPE a [<!ENTITY x \"&x;\">]><a>&x;</a>",
      "<a>&nowhere;</a>",
      "<a x=\"1\" x=\"2\"/>",
      "<a><p:b/></a>",
      "<a>]]></a>",
      "<a/><b/>",
      "<a>\x01</a>",
      "<a>&#0;</a>",
      "<?xml version=\"1.0\" encoding=\"nowhere\"?><a/>",
      "<a b=c/>",
      "<a><1/></a>",
      " <?xml version=\"1.0\"?><a/>",
      "<?xml version=\"1.0\" standalone=\"maybe\"?><a/>",
      "<a><b>",
  };
  for (const char* xml : broken) {
    QXmlStreamReader reader(QByteArray{xml});
    while (!reader.atEnd()) reader.readNext();
    ASSERT_TRUE(reader.hasError()) << xml;
    const QString problem = xmlProblem(reader);
    // Qt's own words come only with a mistake not known, in brackets.
    EXPECT_FALSE(problem.startsWith(u"λάθος στη γραφή του ("_s)) << xml << ": " << reader.errorString().toStdString();
    EXPECT_FALSE(problem.contains(reader.errorString())) << problem.toStdString();
  }
}
