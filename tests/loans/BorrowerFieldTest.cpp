#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>
#include <tuple>

#include "catalogue/Cp1253.h"
#include "loans/BorrowerField.h"

using namespace Qt::StringLiterals;
using loans::BorrowerReading;

namespace {

struct Case {
  int line;
  QDate today;
  QString text;
  QStringList expected;  // "-", "unreadable", or date, class, name
};

// The table of borrower texts beside the tests, written apart from the reader.
QList<Case> tableCases() {
  QFile file(QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/borrowers.txt"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
  QTextStream in(&file);
  QList<Case> cases;
  QDate today;
  for (int line = 1; !in.atEnd(); ++line) {
    const QString text = in.readLine();
    if (text.startsWith(u'#') || text.isEmpty()) continue;
    if (text.startsWith(u"@today "_s)) {
      today = QDate::fromString(text.mid(7), Qt::ISODate);
      continue;
    }
    const qsizetype bar = text.indexOf(u" | "_s);
    QStringList expected = text.mid(bar + 3).split(u" | "_s);
    for (QString& e : expected) e = e.trimmed();
    cases.append({line, today, text.left(bar), expected});
  }
  return cases;
}

QString describe(const BorrowerReading& r) {
  switch (r.state) {
    case BorrowerReading::State::NotOnLoan:
      return u"-"_s;
    case BorrowerReading::State::Unreadable:
      return u"unreadable"_s;
    case BorrowerReading::State::Readable:
      break;
  }
  return r.due.toString(Qt::ISODate) + u" | "_s + r.className() + u" | "_s + r.name();
}

TEST(BorrowerField, ReadsTheTableAsALibrarianDoes) {
  const QList<Case> cases = tableCases();
  ASSERT_GE(cases.size(), 150);
  for (const Case& c : cases) {
    const BorrowerReading r = loans::readBorrower(c.text, c.today);
    EXPECT_EQ(describe(r).toStdString(), c.expected.join(u" | "_s).toStdString())
        << "line " << c.line << ": " << c.text.toStdString();
  }
}

TEST(BorrowerField, KeepsTheTextAsTypedAndTheDateAsWritten) {
  const BorrowerReading late = loans::readBorrower(u"  Νικολάου Μαρία Α1 - 1 Δεκ. 2026  "_s, QDate(2026, 12, 8));
  EXPECT_EQ(late.dueTyped, u"1 Δεκ. 2026"_s);
  EXPECT_EQ(late.grade, 1);
  EXPECT_EQ(late.section, 1);

  const BorrowerReading vague = loans::readBorrower(u"Νικολάου Μαρία μετά τις διακοπές"_s, QDate(2026, 12, 8));
  EXPECT_EQ(vague.typed, u"Νικολάου Μαρία μετά τις διακοπές"_s);
  EXPECT_FALSE(vague.due.isValid());
}

// The code page's own tonos (0xB4) and right quotation mark (0x92) as stored.
TEST(BorrowerField, ReadsTheStoredMarksOfTheCodePage) {
  for (const char mark : {'\xB4', '\x92', '\'', '`'}) {
    const QByteArray text = QByteArray("\xD0\xE1\xF0\xE1\xF2 \xC3") + mark + "1 15/12/2026";
    const BorrowerReading r = loans::readBorrower(text.constData(), int(text.size()), QDate(2026, 12, 8));
    EXPECT_EQ(r.className(), u"Γ1"_s) << int(static_cast<unsigned char>(mark));
    EXPECT_EQ(r.name(), u"Παπας"_s);
  }
}

// The common shape is read in one pass before the general reader; every field
// of the reading must be what the general reader alone gives, on the table and
// on texts at the edges of that shape.
TEST(BorrowerField, TheCommonShapeReadsAsTheGeneralReaderDoes) {
  QList<Case> cases = tableCases();
  const QDate day(2026, 12, 8);
  for (const QString& text : {u"Παπαδόπουλος Γιώργος - 15/12/2026"_s,
                              u"Παπαδόπουλος  -  Γιώργος   1/2/26"_s,
                              u"Ιωάννου - 31/02/2026"_s,
                              u"Ιωάννου - 1/2/00"_s,
                              u"Ιωάννου - 1/2/0000"_s,
                              u"Ιωάννου - 1/2/1949"_s,
                              u"Ιωάννου 123/2/2026"_s,
                              u"Ιωάννου 1/2/2026/3"_s,
                              u"Ιωάννου 1/2-2026"_s,
                              u"Ιωάννου 1.2.2026"_s,
                              u"Ιωάννου 01-02-2026"_s,
                              u"Ιωάννου 1/2/202"_s,
                              u"Ιωάννου 1/2"_s,
                              u"- 1/2/2026"_s,
                              u"Ιωάννου -- 1/2/2026"_s,
                              u"Ιωάννου- 1/2/2026"_s,
                              u"Ιωάννου -1/2/2026"_s,
                              u"Νίκος τμήμα - 1/2/2026"_s,
                              u"Νίκος ΕΩΣ 1/2/2026"_s,
                              u"ΣΤ Ιωάννου 1/2/2026"_s,
                              u"Β2 Ιωάννου - 1/2/2026"_s,
                              u"Γ' Ιωάννου 1/2/2026"_s,
                              u"Mαρία Nικολάου - 5/1/2027"_s,
                              u"O'Brien Τζον 1/2/2026"_s,
                              u"Ιωάννου Μάιος 1/2/2026"_s,
                              u"Ιωάννου 3 1/2/2026"_s,
                              u"Ιωάννου\t1/2/2026"_s,
                              u"1/2/2026"_s,
                              u"Ιωάννου 1/2/2026 1/3/2026"_s,
                              u"Ιωάννου 99/99/2026"_s,
                              u"Ιωάννου 29/2/2028"_s,
                              u"Ιωάννου 29/2/2027"_s})
    cases.append({0, day, text, {}});
  for (const Case& c : cases) {
    const QByteArray bytes = cp1253::encode(u"  "_s + c.text + u" "_s);
    const int length = int(bytes.size());
    const BorrowerReading first = loans::readBorrower(bytes.constData(), length, c.today);
    const BorrowerReading full = loans::readBorrowerInFull(bytes.constData(), length, c.today);
    const auto fields = [](const BorrowerReading& r) {
      return std::make_tuple(r.state, r.due, r.dueTyped, r.dueAt, r.dueLength, r.grade, r.section,
                             QByteArray(r.nameBytes.constData(), r.nameBytes.size()),
                             QByteArray(r.nameKey.constData(), r.nameKey.size()), r.typed);
    };
    EXPECT_TRUE(fields(first) == fields(full)) << "line " << c.line << ": " << c.text.toStdString();
    const BorrowerReading inPlace = loans::readBorrowerInPlace(bytes.constData(), length, c.today);
    EXPECT_EQ(QByteArray(bytes.constData() + inPlace.dueAt, inPlace.dueLength), cp1253::encode(full.dueTyped))
        << c.text.toStdString();
  }
}

}  // namespace
