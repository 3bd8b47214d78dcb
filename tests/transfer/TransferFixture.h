#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTextStream>

#include "catalogue/CatalogueRecord.h"
#include "catalogue_tool/CatalogueTool.h"
#include "support/CatalogueTestFiles.h"
#include "support/PrintQString.h"
#include "support/TempCatalogue.h"
#include "transfer/marc/MarcOptions.h"

using namespace Qt::StringLiterals;

// A temporary folder holding Zelkor.dat, and the tool run in-process on it.
class TransferTest : public ::testing::Test {
 protected:
  // MARC records carry the moment they were made: the tool takes it from
  // SOURCE_DATE_EPOCH, the writers made here from marcMoment().
  TransferTest() { qputenv("SOURCE_DATE_EPOCH", QByteArray::number(marcMoment().toSecsSinceEpoch())); }
  ~TransferTest() override { qunsetenv("SOURCE_DATE_EPOCH"); }
  static QDateTime marcMoment() { return QDateTime(QDate(2026, 12, 7), QTime(8, 0), Qt::UTC); }
  static MarcOptions marcAtMoment() {
    MarcOptions options;
    options.moment = marcMoment();
    return options;
  }

  struct Run {
    int status;
    QString out;
    QString err;
  };

  Run run(const QStringList& args) {
    Run r{0, {}, {}};
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = runCatalogueTool(QStringList{u"lomira-catalogue"_s} + args, out, err);
    return r;
  }

  // The first line of every refused import.
  const QString kKeptAsItWas = u"Η εισαγωγή δεν έγινε· ο κατάλογος «Zelkor.dat» έμεινε όπως ήταν:\n"_s;

  QString file(const QString& name) const { return cat.dir() + u'/' + name; }

  struct Output {
    int status;
    QByteArray out;
    QByteArray err;
  };

  static Output runProgram(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) return {-1, {}, p.errorString().toUtf8()};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
  }

  // The workbook as openpyxl reads it back: its rows, the header's boldness,
  // the frozen panes, the filter and the column widths.
  static QJsonObject readXlsx(const QString& path) {
    static const char* const kRead = R"(
import json, sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print(json.dumps({
  "rows": [[("" if v is None else str(v)) for v in row] for row in ws.iter_rows(values_only=True)],
  "bold": [c.font.b for c in ws[1]],
  "frozen": ws.freeze_panes, "filter": ws.auto_filter.ref,
  "widths": [ws.column_dimensions[c].width for c in "ABCDEFG"]}))
)";
    const Output py = runProgram(QStringLiteral(LOMIRA_PYTHON3), {u"-c"_s, QString::fromUtf8(kRead), path});
    EXPECT_EQ(py.status, 0) << py.err.toStdString();
    return QJsonDocument::fromJson(py.out).object();
  }

  static QByteArray rec(const QStringList& fields) { return TempCatalogue::record(fields); }
  static QByteArray deleted() { return QByteArray(CatalogueRecord::deletionMark().bytes(), CatalogueRecord::kLength); }

  // Records holding every byte value that Windows-1253 defines, the title's
  // line breaks, leading blanks, quotes and commas, and a deleted record.
  static QByteArray awkwardCatalogue() {
    // Every byte the check takes: no NUL, control or undefined byte.
    QByteArray defined;
    for (int b = 0x20; b < 256; ++b)
      if (b != 0x7F)
        if (!(b == 0x81 || b == 0x88 || b == 0x8A || (b >= 0x8C && b <= 0x90) || b == 0x98 || b == 0x9A ||
              (b >= 0x9C && b <= 0x9F) || b == 0xAA || b == 0xD2 || b == 0xFF))
          defined.append(char(b));
    QByteArray out;
    for (qsizetype i = 0; i < defined.size(); i += CatalogueRecord::kLength)
      out += defined.mid(i, CatalogueRecord::kLength).leftJustified(CatalogueRecord::kLength, ' ');
    out += rec({u"   Τρεις κενοί μπροστά"_s, u" ένας"_s, u"Πρώτη γραμμή\r\nδεύτερη\r\n  τρίτη"_s,
                u"Αθήνα, \"Εκδόσεις\", 2020"_s, u"\"1001\""_s, u"Παπαδοπούλου, Μαρία"_s});
    out += deleted();
    out += rec({u"Κατσίμπαλης, Γ."_s, {}, u"\"Ο Κολοσσός\", του Μαρουσιού"_s, u"Αθήνα"_s, u"1002 Ταξίδια"_s, {}});
    return out;
  }

  // Every kind of heading the export tells apart, a record without a title,
  // a blank record and a deleted one.
  static QList<QStringList> headingsCatalogue() {
    return {
        {u"Καζαντζάκης, Νίκος"_s,
         {},
         u"Ο Καπετάν Μιχάλης"_s,
         u"Αθήνα, Εκδόσεις Καζαντζάκη, 2010, 512 σ."_s,
         u"1002 Ελληνική πεζογραφία"_s,
         u"Παπαδοπούλου Μαρία Β2 - 15/12/2026"_s},
        {u"Όμηρος"_s,
         u"Καζαντζάκης, Ν. - Κακριδής, Ι. Θ. (μτφρ.)"_s,
         u"Ιλιάδα"_s,
         u"Αθήνα, Εστία, 2009, 1020 σ."_s,
         u"0039 Αρχαία γραμματεία"_s,
         {}},
        {u"Ομάδα Συγγραφέων"_s, {}, u"Φυσική Α΄ Γυμνασίου"_s, u"Αθήνα, Διόφαντος, 2020"_s, u"Σχολικό εγχειρίδιο"_s, {}},
        {u"Κακριδής, Ιωάννης Θ. (επιμ.)"_s,
         u"Τενιέλ, Τζ. (εικ.) - Μήτσου, Λ. (μτφρ.)"_s,
         u"ΤΑ ΠΑΡΑΜΥΘΙΑ ΤΟΥ ΚΟΣΜΟΥ"_s,
         u"Αθήνα, Κέδρος"_s,
         u"1100 Παραμύθι"_s,
         {}},
        {u"Grimm, Jacob - Grimm, Wilhelm"_s,
         u"Σιδέρη, Μ. (διασκ.)"_s,
         u"\"Ένας κόσμος\" χωρίς όνομα;"_s,
         u"Αθήνα, Μίνωας, 2013"_s,
         u"1101 Παραμύθι"_s,
         {}},
        {u"Κάποιος, Συγγραφέας"_s, {}, {}, u"Αθήνα"_s, u"1200 Χωρίς τίτλο"_s, {}},
        {},
        QStringList(6, u"~~~"_s),
    };
  }

  TempCatalogue cat;
};
