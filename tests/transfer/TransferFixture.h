#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

#include "catalogue/CatalogueRecord.h"
#include "support/CatalogueTestFiles.h"
#include "support/PrintQString.h"
#include "support/TempCatalogue.h"
#include "transfer/CatalogueTool.h"

using namespace Qt::StringLiterals;

// A temporary folder holding Zelkor.dat, and the tool run in-process on it.
class TransferTest : public ::testing::Test {
 protected:
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

  QString file(const QString& name) const { return cat.dir() + u'/' + name; }

  static QByteArray rec(const QStringList& fields) { return TempCatalogue::record(fields); }
  static QByteArray deleted() { return QByteArray(CatalogueRecord::deletionMark().bytes(), CatalogueRecord::kLength); }

  // Records holding every byte value that Windows-1253 defines, the title's
  // line breaks, leading blanks, quotes and commas, and a deleted record.
  static QByteArray awkwardCatalogue() {
    QByteArray defined;
    for (int b = 0; b < 256; ++b)
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

  TempCatalogue cat;
};
