#include "TransferFixture.h"
#include "support/ImportTestFiles.h"
#include "transfer/import/ImportSource.h"
#include "transfer/import/MarcSource.h"

namespace {

bool looksLikeMarc(const QString& path) { return identifyInput(path, {}).kind == ImportInput::Kind::Marc; }

}  // namespace

class MarcImportTest : public TransferTest {
 protected:
  Run importFile(const QString& name, const QStringList& options = {}) {
    return run(QStringList{u"import"_s} + options + QStringList{file(name), cat.path()});
  }

  const QByteArray existing = rec({u"Υπάρχουσα"_s});
};

TEST_F(MarcImportTest, EachMarcExportComesBackWithEveryFieldMarcHolds) {
  cat.setRecords(headingsCatalogue());
  // The borrower never travels, nor do records without a title; leading
  // zeros of a book number go, as the check reads the number.
  const QByteArray expected =
      rec({u"Καζαντζάκης, Νίκος"_s,
           {},
           u"Ο Καπετάν Μιχάλης"_s,
           u"Αθήνα, Εκδόσεις Καζαντζάκη, 2010, 512 σ."_s,
           u"1002 Ελληνική πεζογραφία"_s}) +
      rec({u"Όμηρος"_s, u"Καζαντζάκης, Ν. - Κακριδής, Ι. Θ. (μτφρ.)"_s, u"Ιλιάδα"_s, u"Αθήνα, Εστία, 2009, 1020 σ."_s,
           u"39 Αρχαία γραμματεία"_s}) +
      rec({u"Ομάδα Συγγραφέων"_s, {}, u"Φυσική Α΄ Γυμνασίου"_s, u"Αθήνα, Διόφαντος, 2020"_s, u"Σχολικό εγχειρίδιο"_s}) +
      rec({u"Κακριδής, Ιωάννης Θ. (επιμ.)"_s, u"Τενιέλ, Τζ. (εικ.) - Μήτσου, Λ. (μτφρ.)"_s,
           u"ΤΑ ΠΑΡΑΜΥΘΙΑ ΤΟΥ ΚΟΣΜΟΥ"_s, u"Αθήνα, Κέδρος"_s, u"1100 Παραμύθι"_s}) +
      rec({u"Grimm, Jacob - Grimm, Wilhelm"_s, u"Σιδέρη, Μ. (διασκ.)"_s, u"\"Ένας κόσμος\" χωρίς όνομα;"_s,
           u"Αθήνα, Μίνωας, 2013"_s, u"1101 Παραμύθι"_s});
  for (const QString& format : {u"marc21"_s, u"marcxml"_s, u"unimarc"_s}) {
    for (const QStringList& options :
         {QStringList{u"--agency"_s, u"GR-SCH"_s}, QStringList{u"--items"_s, u"koha"_s, u"--branch"_s, u"SCH1"_s}}) {
      const QString out = file(u"out."_s + format);
      ASSERT_EQ(run(QStringList{u"export"_s, u"--format"_s, format} + options + QStringList{cat.path(), out}).status,
                0);
      EXPECT_TRUE(looksLikeMarc(out)) << format.toStdString();
      const Run back = run({u"import"_s, out, file(u"back.dat"_s)});
      EXPECT_EQ(back.status, 0) << back.err.toStdString();
      EXPECT_EQ(back.out, u"Προστέθηκαν 5 εγγραφές στον «back.dat», με κωδικούς 1 έως 5.\n"_s);
      EXPECT_EQ(readAll(file(u"back.dat"_s)), expected)
          << format.toStdString() << ' ' << options.join(u' ').toStdString();
      QFile::remove(file(u"back.dat"_s));
    }
  }
}

TEST_F(MarcImportTest, PeriodsInitialsAndUnroledNamesSurviveEveryFlavour) {
  // A title ending in initials, an ellipsis or (before a statement) a period
  // of its own keeps its periods; field 2's persons without a role stay
  // field 2's; UNIMARC comes back from MARCXML too.
  const QList<QStringList> records{
      {u"Ελύτης, Οδυσσέας"_s, u"Λίλη, Α. - Μπέη, Κ. Ε."_s, u"Γράμματα στον Κ.Π."_s, u"Αθήνα, Ίκαρος"_s, u"7 Ποίηση"_s},
      {u"Σεφέρης, Γ."_s, {}, u"Και τώρα τι θα γένουμε..."_s, u"Αθήνα, 1960"_s, u"8 Ποίηση"_s},
      {u"Ρίτσος, Γ."_s, u"Τάσσος, Α. (εικ.)"_s, u"Ο Αφανής. Ο Χρόνος."_s, u"Αθήνα, Κέδρος"_s, u"9 Ποίηση"_s},
  };
  cat.setRecords(records);
  QByteArray expected;
  for (const QStringList& r : records) expected += rec(r);
  for (const QString& format : {u"marc21"_s, u"marcxml"_s, u"unimarc"_s}) {
    const QString out = file(u"out."_s + format);
    ASSERT_EQ(run({u"export"_s, u"--format"_s, format, cat.path(), out}).status, 0);
    QStringList inputs{out};
    if (format == u"unimarc"_s) {
      const Output xml = runProgram(u"yaz-marcdump"_s, {u"-o"_s, u"marcxml"_s, out});
      writeAll(file(u"unimarc.xml"_s), xml.out);
      inputs.append(file(u"unimarc.xml"_s));
    }
    for (const QString& input : inputs) {
      QFile::remove(file(u"back.dat"_s));
      EXPECT_EQ(run({u"import"_s, input, file(u"back.dat"_s)}).status, 0) << input.toStdString();
      EXPECT_EQ(readAll(file(u"back.dat"_s)), expected) << input.toStdString();
    }
  }
}

TEST_F(MarcImportTest, CharacterSetsAreReadOrRefusedByWhatTheRecordDeclares) {
  const QByteArray unimarc =
      "00000nam0 22000003i 450 \n001 u5\n100    $a 20010101d2001    u  u0grey%1      ga\n"
      "200 1  $a Odyssey\n";
  // ISO 646 / ISO 5426 is read (records apart by line breaks too); ISO 5428
  // has no converter; UTF-8 declared but not written is damage.
  const QByteArray iso5426 = readAll(isoFile(u"iso5426.mrc"_s, QByteArray(unimarc).replace("%1", "01")));
  writeAll(file(u"lines.mrc"_s), iso5426 + "\r\n" + iso5426 + "\n");
  isoFile(u"iso5428.mrc"_s, QByteArray(unimarc).replace("%1", "05"));
  isoFile(u"bad-utf8.mrc"_s, "00000nam a2200000 a 4500\n001 bad\n245 00 $a Caf\xFF\xFE\n");
  cat.setBytes(existing);
  Run r = importFile(u"lines.mrc"_s);
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(cat.bytes(), existing + rec({{}, {}, u"Odyssey"_s}) + rec({{}, {}, u"Odyssey"_s}));
  cat.setBytes(existing);
  r = importFile(u"iso5428.mrc"_s);
  EXPECT_EQ(r.err.section(u'\n', 1, 1),
            u"το αρχείο MARC (ISO 2709) «iso5428.mrc» δεν διαβάζεται στην εγγραφή 1 (στο byte 0): η εγγραφή UNIMARC "
            "δηλώνει στο 100 $a το σύνολο χαρακτήρων «05», που δεν διαβάζεται εδώ· διαβάζονται τα UTF-8 («50») και "
            "ISO 5426 («01» έως «03»)"_s);
  r = importFile(u"bad-utf8.mrc"_s);
  EXPECT_EQ(r.err.section(u'\n', 1, 1),
            u"το αρχείο MARC (ISO 2709) «bad-utf8.mrc» δεν διαβάζεται στην εγγραφή 1 (στο byte 0): το κείμενό της δεν "
            "είναι γραμμένο στο σύνολο χαρακτήρων που δηλώνει"_s);
  EXPECT_EQ(cat.bytes(), existing);
}

TEST_F(MarcImportTest, AnotherSystemsRecordsGiveTheirCommonFields) {
  // MARC21 as a library system writes it: ISBD punctuation, dates in the
  // heading, English relator terms, the publication areas, an LC-style subject.
  writeAll(file(u"other.xml"_s), marcXml(uR"(<record>
  <leader>00000cam a2200000 i 4500</leader>
  <controlfield tag="001">ocm123</controlfield>
  <datafield tag="020" ind1=" " ind2=" "><subfield code="a">9789600000000</subfield></datafield>
  <datafield tag="100" ind1="1" ind2=" "><subfield code="a">Ρίτσος, Γιάννης,</subfield><subfield code="d">1909-1990,</subfield><subfield code="e">author.</subfield></datafield>
  <datafield tag="245" ind1="1" ind2="2"><subfield code="a">Η σονάτα του σεληνόφωτος :</subfield><subfield code="b">ποίημα /</subfield><subfield code="c">Γιάννης Ρίτσος ; εικονογράφηση Α. Τάσσος.</subfield></datafield>
  <datafield tag="250" ind1=" " ind2=" "><subfield code="a">3η έκδ.</subfield></datafield>
  <datafield tag="264" ind1=" " ind2="1"><subfield code="a">Αθήνα :</subfield><subfield code="b">Κέδρος,</subfield><subfield code="c">2001.</subfield></datafield>
  <datafield tag="300" ind1=" " ind2=" "><subfield code="a">45 σ. ;</subfield><subfield code="c">21 εκ.</subfield></datafield>
  <datafield tag="500" ind1=" " ind2=" "><subfield code="a">Πρώτη έκδοση 1956.</subfield></datafield>
  <datafield tag="650" ind1=" " ind2="0"><subfield code="a">Ελληνική ποίηση</subfield><subfield code="y">20ός αιώνας.</subfield></datafield>
  <datafield tag="700" ind1="1" ind2=" "><subfield code="a">Τάσσος, Α.,</subfield><subfield code="e">illustrator.</subfield></datafield>
  <datafield tag="700" ind1="1" ind2=" "><subfield code="a">Μαρκόπουλος, Γ.,</subfield><subfield code="4">trl</subfield></datafield>
  <datafield tag="952" ind1=" " ind2=" "><subfield code="p">0042</subfield><subfield code="a">SCH</subfield></datafield>
</record>
<record><leader>00000nz  a2200000n  4500</leader><controlfield tag="001">auth1</controlfield></record>
)"_s)
                                     .toUtf8());
  // MARC-8 (leader/09 blank): the Greek set, and an accent before its letter.
  isoFile(u"marc8.mrc"_s,
          "00000nam  2200000 a 4500\n001 m8\n245 00 $a \x1B(S\xE2"
          "ab\x1B(B 2\n");
  // UNIMARC in UTF-8, told by its 200 and 100.
  isoFile(u"uni.mrc"_s,
          u"00000nam0 22000003i 450 \n001 u1\n100    $a 20010101d2001    u  u0grey50      ga\n"
          "200 1  $a Το κόκκινο βιβλίο $e ιστορίες $f Μαρία Παππά $g μετάφραση Ν. Νικολάου\n"
          "210    $a Αθήνα $c Πατάκης $d 2001\n215    $a 120 σ.\n"
          "606    $a Παιδική λογοτεχνία $x Διηγήματα\n700  1 $a Παππά $b Μαρία $4 070\n"
          "702  1 $a Νικολάου $b Ν. $4 730\n995    $f 77\n"_s.toUtf8());
  const QByteArray expected[] = {
      rec({u"Ρίτσος, Γιάννης"_s, u"Τάσσος, Α. (εικ.) - Μαρκόπουλος, Γ. (μτφρ.)"_s,
           u"Η σονάτα του σεληνόφωτος : ποίημα"_s, u"3η έκδ., Αθήνα, Κέδρος, 2001, 45 σ."_s,
           u"0042 Ελληνική ποίηση - 20ός αιώνας"_s}),
      rec({{}, {}, u"άβ 2"_s}),
      rec({u"Παππά, Μαρία"_s, u"μετάφραση Ν. Νικολάου"_s, u"Το κόκκινο βιβλίο : ιστορίες"_s,
           u"Αθήνα, Πατάκης, 2001, 120 σ."_s, u"77 Παιδική λογοτεχνία - Διηγήματα"_s}),
  };
  int i = 0;
  for (const QString& name : {u"other.xml"_s, u"marc8.mrc"_s, u"uni.mrc"_s}) {
    cat.setBytes(existing);
    const Run r = importFile(name);
    EXPECT_EQ(r.status, 0) << name.toStdString() << r.err.toStdString();
    EXPECT_EQ(cat.bytes(), existing + expected[i++]) << name.toStdString();
    // The authority record after the book gives nothing and is listed.
    EXPECT_EQ(
        r.out.startsWith(u"εγγραφή MARC 2 (001 «auth1»): δεν έχει κανένα πεδίο του καταλόγου και παραλείφθηκε\n"_s),
        i == 1)
        << r.out.toStdString();
  }
}

TEST_F(MarcImportTest, TooLongOrForeignTextIsRefusedAndTruncateCutsAndListsEachCut) {
  cat.setBytes(existing);
  const QString longTitle = QString(95, u'Τ') + u" τέλος"_s;
  writeAll(file(u"long.xml"_s),
           marcXml(u"<record><controlfield tag=\"001\">b-7</controlfield>"
                   "<datafield tag=\"100\" ind1=\"1\" ind2=\" \"><subfield code=\"a\">%1</subfield></datafield>"
                   "<datafield tag=\"245\" ind1=\"1\" ind2=\"0\"><subfield code=\"a\">%2.</subfield></datafield>"
                   "</record>"_s.arg(QString(52, u'Σ'), longTitle))
               .toUtf8());
  writeAll(file(u"polish.xml"_s),
           marcXml(u"<record><datafield tag=\"245\" ind1=\"0\" ind2=\"0\"><subfield code=\"a\">Łódź</subfield>"
                   "</datafield></record>"_s)
               .toUtf8());
  Run r = importFile(u"long.xml"_s);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, kKeptAsItWas +
                       u"εγγραφή MARC 1 (001 «b-7»), πεδίο «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»: 52 χαρακτήρες, ενώ το πεδίο "
                       "χωρά 50 (με --truncate κόβεται)\n"
                       "εγγραφή MARC 1 (001 «b-7»), πεδίο «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]»: 101 "
                       "χαρακτήρες, ενώ το πεδίο χωρά 100 (με --truncate κόβεται)\n"_s);
  r = importFile(u"polish.xml"_s, {u"--truncate"_s});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, kKeptAsItWas +
                       u"εγγραφή MARC 1, πεδίο «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]»: ο χαρακτήρας «Ł» "
                       "(U+0141) δεν υπάρχει στη γραφή Windows-1253 του καταλόγου\n"_s);
  EXPECT_EQ(cat.bytes(), existing);

  r = importFile(u"long.xml"_s, {u"--truncate"_s});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out,
            u"εγγραφή MARC 1 (001 «b-7»), πεδίο «ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ»: κόπηκε στους 50 χαρακτήρες· "
            "χάθηκε το «ΣΣ»\n"
            "εγγραφή MARC 1 (001 «b-7»), πεδίο «ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]»: κόπηκε "
            "στους 100 χαρακτήρες· χάθηκε το «ς»\n"
            "Προστέθηκε 1 εγγραφή στον «Zelkor.dat», με κωδικό 2.\n"_s);
  EXPECT_EQ(cat.bytes(), existing + rec({QString(50, u'Σ'), {}, longTitle.chopped(1)}));
}

TEST_F(MarcImportTest, ADamagedOrHostileFileIsRefusedWhereItBreaksAndNothingIsWritten) {
  cat.setRecords(headingsCatalogue());
  ASSERT_EQ(run({u"export"_s, u"--format"_s, u"marc21"_s, cat.path(), file(u"good.mrc"_s)}).status, 0);
  ASSERT_EQ(run({u"export"_s, u"--format"_s, u"marcxml"_s, cat.path(), file(u"good.xml"_s)}).status, 0);
  const QByteArray iso = readAll(file(u"good.mrc"_s));
  const qsizetype third = iso.indexOf('\x1D', iso.indexOf('\x1D') + 1) + 1;
  QByteArray badDirectory = iso;
  badDirectory[third + 30] = 'X';
  writeAll(file(u"cut.mrc"_s), iso.left(third + 100));
  writeAll(file(u"directory.mrc"_s), badDirectory);
  const QByteArray xml = readAll(file(u"good.xml"_s));
  writeAll(file(u"cut.xml"_s), xml.left(xml.indexOf("<record", xml.indexOf("<record") + 1) + 200));
  writeAll(file(u"empty.xml"_s), marcXml({}).toUtf8());
  const QString huge = marcXml(u"<record><datafield tag=\"245\" ind1=\"0\" ind2=\"0\"><subfield code=\"a\">"_s +
                               QString(6 << 20, u'Α') + u"</subfield></datafield></record>"_s);
  writeAll(file(u"huge.xml"_s), huge.toUtf8());
  writeAll(file(u"deep.xml"_s),
           marcXml(u"<record>"_s + u"<x>"_s.repeated(50000) + u"</x>"_s.repeated(50000) + u"</record>"_s).toUtf8());

  cat.setBytes(existing);
  const struct {
    QString name;
    QString reason;
  } cases[] = {
      {u"cut.mrc"_s,
       u"το αρχείο MARC (ISO 2709) «cut.mrc» δεν διαβάζεται στην εγγραφή 3 (στο byte %1): το αρχείο "
       "τελειώνει πριν από το τέλος της εγγραφής (κομμένο αρχείο)"_s.arg(third)},
      {u"directory.mrc"_s,
       u"το αρχείο MARC (ISO 2709) «directory.mrc» δεν διαβάζεται στην εγγραφή 3 (στο byte %1): "
       "ο κατάλογος πεδίων της εγγραφής έχει μη αριθμητικό μήκος"_s.arg(third)},
      {u"cut.xml"_s,
       u"το αρχείο MARCXML «cut.xml» δεν διαβάζεται στην εγγραφή 2 (στη γραμμή %1): το αρχείο τελειώνει "
       "πριν κλείσει η εγγραφή (κομμένο αρχείο)"_s},
      {u"empty.xml"_s, u"το αρχείο MARCXML «empty.xml» δεν έχει καμία εγγραφή"_s},
      {u"huge.xml"_s,
       u"το αρχείο MARCXML «huge.xml» δεν διαβάζεται στην εγγραφή 1 (στη γραμμή 3): έχει κείμενο πολύ "
       "μεγαλύτερο από όσο χωρά μια εγγραφή"_s},
      {u"deep.xml"_s,
       u"το αρχείο MARCXML «deep.xml» δεν διαβάζεται στην εγγραφή 1 (στη γραμμή 3): έχει στοιχεία XML "
       "φωλιασμένα πιο βαθιά από όσο έχει το MARCXML"_s},
  };
  for (const auto& c : cases) {
    const Run r = importFile(c.name);
    EXPECT_EQ(r.status, 1) << c.name.toStdString();
    const QString reason = r.err.section(u'\n', 1, 1);
    if (c.reason.contains(u"%1"_s))
      EXPECT_TRUE(reason.startsWith(c.reason.section(u"%1"_s, 0, 0))) << reason.toStdString();
    else
      EXPECT_EQ(reason, c.reason);
    EXPECT_EQ(cat.bytes(), existing) << c.name.toStdString();
  }
}

TEST_F(MarcImportTest, CataloguesCsvAndOtherXmlAreNeverTakenForMarc) {
  // A catalogue whose first field looks like a leader, and one of every byte it may hold.
  writeAll(file(u"leader.dat"_s), rec({u"00350nam a2200025 i 4500"_s, u"0001"_s, u"Τίτλος"_s}));
  writeAll(file(u"awkward.dat"_s), awkwardCatalogue());
  cat.setBytes(awkwardCatalogue());
  ASSERT_EQ(run({u"export"_s, u"--format"_s, u"csv"_s, cat.path(), file(u"list.csv"_s)}).status, 0);
  writeAll(file(u"list.txt"_s), readAll(file(u"list.csv"_s)).mid(3));
  writeAll(file(u"other.xml"_s), "<?xml version=\"1.0\"?>\n<collection><record/></collection>\n");
  // Numbers where a leader has them, in a file shorter than the length they give.
  writeAll(file(u"numbers.csv"_s), "00900;12340000100;1245;7\r\n00901;12340000100;1245;8\r\n");
  for (const QString& name :
       {u"leader.dat"_s, u"awkward.dat"_s, u"list.csv"_s, u"list.txt"_s, u"other.xml"_s, u"numbers.csv"_s})
    EXPECT_FALSE(looksLikeMarc(file(name))) << name.toStdString();

  // MARCXML with a byte-order mark and a prefix is MARC all the same.
  writeAll(file(u"prefixed.xml"_s),
           "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- από άλλο σύστημα -->\n"
           "<marc:collection xmlns:marc=\"http://www.loc.gov/MARC21/slim\"><marc:record>"
           "<marc:datafield tag=\"245\" ind1=\"0\" ind2=\"0\"><marc:subfield code=\"a\">"
           "Τίτλος</marc:subfield></marc:datafield></marc:record></marc:collection>\n");
  EXPECT_TRUE(looksLikeMarc(file(u"prefixed.xml"_s)));
  cat.setBytes(existing);
  EXPECT_EQ(importFile(u"prefixed.xml"_s).status, 0);
  EXPECT_EQ(cat.bytes(), existing + rec({{}, {}, u"Τίτλος"_s}));
}
