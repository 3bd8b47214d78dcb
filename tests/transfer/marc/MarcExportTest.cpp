#include <QRegularExpression>

#include "TransferFixture.h"

class MarcExportTest : public TransferTest {
 protected:
  MarcExportTest() { cat.setRecords(headingsCatalogue()); }

  // Exports with `options` and returns yaz-marcdump's reading of the file, one record a string.
  QStringList exported(const QString& format, const QStringList& options = {}) {
    const QString out = file(u"out."_s + format);
    last = run(QStringList{u"export"_s, u"--format"_s, format} + options + QStringList{cat.path(), out});
    EXPECT_EQ(last.status, 0) << last.err.toStdString();
    const Output dump =
        runProgram(u"yaz-marcdump"_s,
                   (format == u"marcxml"_s ? QStringList{u"-i"_s, u"marcxml"_s} : QStringList{}) + QStringList{out});
    EXPECT_EQ(dump.status, 0) << dump.err.toStdString();
    EXPECT_TRUE(dump.err.isEmpty()) << dump.err.toStdString();
    return QString::fromUtf8(dump.out).split(u"\n\n"_s, Qt::SkipEmptyParts);
  }

  // The lines of `record` whose tag is one of `tags`.
  static QStringList lines(const QString& record, const QString& tags) {
    return record.split(u'\n').filter(QRegularExpression(u"^(%1) "_s.arg(tags)));
  }

  Run last;
};

TEST_F(MarcExportTest, Marc21CarriesTheHeadingsRolesArticlesAndCopiesAndMarcLintFindsNothing) {
  const QStringList records = exported(u"marc21"_s, {u"--agency"_s, u"GR-SCH"_s});
  EXPECT_EQ(last.out, u"Γράφτηκαν 5 εγγραφές του «Zelkor.dat» στο «%1»."_s.arg(file(u"out.marc21"_s)) + u'\n');
  EXPECT_EQ(last.err, u"Δεν γράφτηκαν οι εγγραφές χωρίς τίτλο (2): 6-7.\n"_s);
  ASSERT_EQ(records.size(), 5);
  const QString tags = u"001|003|005|008|040|100|245|500|653|700|852"_s;
  EXPECT_EQ(lines(records[0], tags), (QStringList{
                                         u"001 1"_s,
                                         u"003 GR-SCH"_s,
                                         u"005 20261207080000.0"_s,
                                         u"008 261207s2010    xx |||||||||||||| ||gre d"_s,
                                         u"040    $a GR-SCH $b gre $c GR-SCH"_s,
                                         u"100 1  $a Καζαντζάκης, Νίκος"_s,
                                         u"245 12 $a Ο Καπετάν Μιχάλης."_s,
                                         u"500    $a Αθήνα, Εκδόσεις Καζαντζάκη, 2010, 512 σ."_s,
                                         u"653    $a Ελληνική πεζογραφία"_s,
                                         u"852    $a GR-SCH $p 1002"_s,
                                     }));
  // A forename alone; a role after two names is theirs together; two four-digit numbers give no year.
  EXPECT_EQ(lines(records[1], u"008|100|245|700|852"_s),
            (QStringList{
                u"008 261207nuuuuuuuuxx |||||||||||||| ||gre d"_s,
                u"100 0  $a Όμηρος"_s,
                u"245 10 $a Ιλιάδα / $c Καζαντζάκης, Ν. - Κακριδής, Ι.Θ. (μτφρ.)."_s,
                u"700 1  $a Καζαντζάκης, Ν., $e μεταφραστής $4 trl"_s,
                u"700 1  $a Κακριδής, Ι. Θ., $e μεταφραστής $4 trl"_s,
                u"852    $a GR-SCH $p 39"_s,
            }));
  // No person: the statement of responsibility only; no book number, no copy.
  EXPECT_EQ(lines(records[2], u"1..|245|7..|852"_s),
            QStringList{u"245 00 $a Φυσική Α΄ Γυμνασίου / $c Ομάδα Συγγραφέων."_s});
  // An editor is no author: the title is the main entry.
  EXPECT_EQ(lines(records[3], u"100|245|700"_s),
            (QStringList{
                u"245 03 $a ΤΑ ΠΑΡΑΜΥΘΙΑ ΤΟΥ ΚΟΣΜΟΥ / $c Τενιέλ, Τζ. (εικ.) - Μήτσου, Λ. (μτφρ.)."_s,
                u"700 1  $a Κακριδής, Ιωάννης Θ., $e επιμελητής $4 edt"_s,
                u"700 1  $a Τενιέλ, Τζ., $e εικονογράφος $4 ill"_s,
                u"700 1  $a Μήτσου, Λ., $e μεταφραστής $4 trl"_s,
            }));
  EXPECT_EQ(lines(records[4], u"100|245|700"_s),
            (QStringList{
                u"100 1  $a Grimm, Jacob"_s,
                u"245 16 $a \"Ένας κόσμος\" χωρίς όνομα; / $c Σιδέρη, Μ. (διασκ.)."_s,
                u"700 1  $a Grimm, Wilhelm"_s,
                u"700 1  $a Σιδέρη, Μ., $e διασκευαστής $4 adp"_s,
            }));
  // New, language material, monograph, UTF-8; abbreviated level, ISBD punctuation.
  for (const QString& record : records) EXPECT_EQ(record.mid(5, 5) + record.mid(17, 7), u"nam a3i 4500"_s);
  EXPECT_FALSE(records.join(u'\n').contains(u"Παπαδοπούλου"_s));

  const Output lint =
      runProgram(QStringLiteral(LOMIRA_PERL),
                 {QStringLiteral(LOMIRA_SOURCE_DIR "/tests/transfer/marc-lint.pl"), file(u"out.marc21"_s)});
  EXPECT_EQ(lint.status, 0) << lint.err.toStdString();
  EXPECT_EQ(lint.out.toStdString() + lint.err.toStdString(), "");
}

TEST_F(MarcExportTest, UnimarcHasItsMandatoryFieldsWithUtf8DeclaredAndNonSortingArticles) {
  const QStringList records = exported(u"unimarc"_s, {u"--agency"_s, u"GR-SCH"_s});
  ASSERT_EQ(records.size(), 5);
  for (const QString& record : records) {
    for (const QString& tag : {u"001"_s, u"100"_s, u"101"_s, u"200"_s, u"801"_s})
      EXPECT_EQ(lines(record, tag).size(), 1) << tag.toStdString() << '\n' << record.toStdString();
    const QString generalData = lines(record, u"100"_s).value(0).mid(10);
    EXPECT_EQ(generalData.size(), 36) << generalData.toStdString();
    EXPECT_EQ(generalData.mid(22, 8), u"grey50  "_s) << "Greek, UTF-8: " << generalData.toStdString();
    EXPECT_EQ(lines(record, u"801"_s), QStringList{u"801  0 $a GR $b GR-SCH $c 20261207"_s});
    EXPECT_FALSE(record.contains(u"Παπαδοπούλου"_s));
  }
  EXPECT_EQ(lines(records[0], u"100|101|200|700|995"_s), (QStringList{
                                                             u"100    $a 20261207d2010    u  u0grey50      ga"_s,
                                                             u"101 0  $a gre"_s,
                                                             u"200 1  $a \u0098Ο \u009cΚαπετάν Μιχάλης"_s,
                                                             u"700  1 $a Καζαντζάκης $b Νίκος"_s,
                                                             u"995    $b GR-SCH $f 1002"_s,
                                                         }));
  EXPECT_EQ(lines(records[1], u"100|101|200|70.|995"_s),
            (QStringList{
                u"100    $a 20261207u        u  u0grey50      ga"_s,
                u"101 1  $a gre"_s,
                u"200 1  $a Ιλιάδα $g Καζαντζάκης, Ν. - Κακριδής, Ι. Θ. (μτφρ.)"_s,
                u"700  0 $a Όμηρος"_s,
                u"702  1 $a Καζαντζάκης $b Ν. $4 730"_s,
                u"702  1 $a Κακριδής $b Ι. Θ. $4 730"_s,
                u"995    $b GR-SCH $f 39"_s,
            }));
  EXPECT_EQ(lines(records[2], u"200|7..|995"_s), QStringList{u"200 1  $a Φυσική Α΄ Γυμνασίου $f Ομάδα Συγγραφέων"_s});
  EXPECT_EQ(lines(records[4], u"200|70."_s),
            (QStringList{
                u"200 1  $a \u0098\"Ένας \u009cκόσμος\" χωρίς όνομα; $g Σιδέρη, Μ. (διασκ.)"_s,
                u"700  1 $a Grimm $b Jacob"_s,
                u"701  1 $a Grimm $b Wilhelm"_s,
                u"702  1 $a Σιδέρη $b Μ. $4 010"_s,
            }));
}

TEST_F(MarcExportTest, KohaItemsCarryBarcodeBranchAndTypeInEveryFlavour) {
  const QStringList koha{u"--items"_s, u"koha"_s, u"--branch"_s, u"SCH1"_s};
  const QStringList marc21 = exported(u"marc21"_s, koha);
  const QStringList marcxml = exported(u"marcxml"_s, koha + QStringList{u"--item-type"_s, u"LIB"_s});
  const QStringList unimarc = exported(u"unimarc"_s, koha);
  ASSERT_EQ(marc21.size(), 5);
  ASSERT_EQ(marcxml.size(), 5);
  ASSERT_EQ(unimarc.size(), 5);
  const QString items[] = {u"1002"_s, u"39"_s, {}, u"1100"_s, u"1101"_s};
  for (int i = 0; i < 5; ++i) {
    const auto expected = [&](const QString& line) {
      return items[i].isEmpty() ? QStringList{} : QStringList{line.arg(items[i])};
    };
    EXPECT_EQ(lines(marc21[i], u"852|952"_s), expected(u"952    $a SCH1 $b SCH1 $p %1 $y BK"_s));
    EXPECT_EQ(lines(marcxml[i], u"852|952"_s), expected(u"952    $a SCH1 $b SCH1 $p %1 $y LIB"_s));
    EXPECT_EQ(lines(unimarc[i], u"995"_s), expected(u"995    $b SCH1 $c SCH1 $f %1 $r BK"_s));
    // Without --agency no agency is named.
    EXPECT_EQ(lines(marc21[i], u"003|040"_s), QStringList{u"040    $b gre"_s});
    EXPECT_EQ(lines(unimarc[i], u"801"_s), QStringList{u"801  0 $a GR $c 20261207"_s});
  }
}

TEST_F(MarcExportTest, MarcOptionsThatDoNotFitAreRefusedBeforeAnythingIsWritten) {
  const struct {
    QStringList options;
    QString problem;
  } cases[] = {
      {{u"--format"_s, u"csv"_s, u"--agency"_s, u"GR-SCH"_s},
       u"η επιλογή «--agency» ταιριάζει μόνο στις μορφές MARC"_s},
      {{u"--format"_s, u"marc21"_s, u"--agency"_s, u"Σχολείο 1"_s},
       u"ο κωδικός «Σχολείο 1» του --agency θέλει ως 16 λατινικά γράμματα, ψηφία ή «-/:»"_s},
      {{u"--format"_s, u"marc21"_s, u"--items"_s, u"evergreen"_s, u"--branch"_s, u"A"_s},
       u"το --items ξέρει μόνο το «koha»"_s},
      {{u"--format"_s, u"unimarc"_s, u"--items"_s, u"koha"_s}, u"τα --items koha και --branch δίνονται μαζί"_s},
      {{u"--format"_s, u"unimarc"_s, u"--branch"_s, u"A"_s}, u"τα --items koha και --branch δίνονται μαζί"_s},
      {{u"--format"_s, u"marc21"_s, u"--item-type"_s, u"BK"_s}, u"το --item-type θέλει --items koha"_s},
  };
  for (const auto& c : cases) {
    const Run r = run(QStringList{u"export"_s} + c.options + QStringList{cat.path(), file(u"out"_s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, u"lomira-catalogue: "_s + c.problem + u"\nΔείτε «lomira-catalogue --help».\n"_s);
  }
  EXPECT_EQ(QDir(cat.dir()).entryList(QDir::Files), QStringList{u"Zelkor.dat"_s});
}
