#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>

#include "catalogue/Cp1253.h"
#include "catalogue/search/ForgivingMatcher.h"
#include "support/CatalogueTestFiles.h"

using namespace Qt::StringLiterals;

namespace {

bool forgives(const QString& text, std::vector<int> fields, const QByteArray& record) {
  return ForgivingMatcher(text, std::move(fields)).matches(record.constData());
}

// tests/data/fold1253.txt says, from Unicode's own data, what each byte folds
// to (written by fold1253.py beside it).
TEST(ForgivingFold, AgreesWithUnicodeOnEveryByte) {
  QFile expected(QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/fold1253.txt"));
  ASSERT_TRUE(expected.open(QIODevice::ReadOnly | QIODevice::Text));
  int rows = 0;
  while (!expected.atEnd()) {
    const QByteArray line = expected.readLine();
    if (line.startsWith('#')) continue;
    const QList<QByteArray> columns = line.split(' ');
    ASSERT_GE(columns.size(), 2) << line.constData();
    const int byte = columns[0].toInt(nullptr, 16), folded = columns[1].toInt(nullptr, 16);
    EXPECT_EQ(int(forgivingFold(static_cast<unsigned char>(byte))), folded)
        << "byte " << columns[0].constData() << " " << qPrintable(cp1253::decode(QByteArray(1, char(byte))));
    ++rows;
  }
  EXPECT_EQ(rows, 256);
}

TEST(ForgivingMatcher, FindsTheSpellingsAndOnlyThem) {
  const QByteArray book = recordWithFields({u"ΚAΖΑΝΤΖΑΚΗΣ Νίκος"_s, u"Ευφυΐα, τόμος 2-3"_s, u"ΤΟΚΙΟ"_s});
  for (const QString& typed : {u"καζαντζακης"_s, u"ευφυϊα"_s, u"ΤΟΜΟΣ 2-3"_s, u"tokio"_s})
    EXPECT_TRUE(forgives(typed, {0, 1, 2}, book)) << qPrintable(typed);
  for (const QString& typed : {u"τομος 2.3"_s, u"καπεταν"_s, QString(), u"Ν\u043E"_s, QString(101, u' ')})
    EXPECT_FALSE(forgives(typed, {0, 1, 2}, book)) << qPrintable(typed);
  // A match never runs into the next field, however the needle is searched.
  EXPECT_TRUE(forgives(u"νικος"_s + QString(33, u' '), {0}, book));
  EXPECT_FALSE(forgives(u"νικος"_s + QString(34, u' '), {0}, book));
  EXPECT_FALSE(ForgivingMatcher(u"ο"_s, {0}).matches(nullptr));
  EXPECT_FALSE(forgives(u"ο"_s, {-1, 6}, book));
}

// The fold applied to the whole field, then a plain search: what the fast
// search must agree with at every place in every field.
bool foldThenSearch(const QString& text, const std::vector<int>& fields, const QByteArray& record) {
  QByteArray needle = cp1253::encode(text);
  for (char& c : needle) c = char(forgivingFold(static_cast<unsigned char>(c)));
  return std::any_of(fields.begin(), fields.end(), [&](int f) {
    QByteArray field = record.mid(CatalogueRecord::kOffset[size_t(f)], CatalogueRecord::kWidth[size_t(f)]);
    for (char& c : field) c = char(forgivingFold(static_cast<unsigned char>(c)));
    return field.contains(needle);
  });
}

TEST(ForgivingMatcher, AgreesWithFoldingThenSearchingAtEveryPlace) {
  // Few letters in many spellings, so that near misses abound.
  const QString letters = u"αάΑAaιίϊΐΙIiσςΣ ν"_s;
  QRandomGenerator random(1253);
  const auto pick = [&](int n) {
    QString s;
    for (int i = 0; i < n; ++i) s += letters[random.bounded(int(letters.size()))];
    return s;
  };
  for (int round = 0; round < 400; ++round) {
    const QByteArray record = recordWithFields({pick(50), pick(50), pick(100), pick(50), pick(50), pick(50)});
    const std::vector<int> fields{int(random.bounded(6)), int(random.bounded(6))};
    for (int length = 1; length <= 6; ++length) {
      const QString text = pick(length);
      ASSERT_EQ(forgives(text, fields, record), foldThenSearch(text, fields, record))
          << qPrintable(text) << " in " << qPrintable(cp1253::decode(record));
    }
    // The field's own text from every place, refolded, must be found there.
    const int f = fields[0], width = CatalogueRecord::kWidth[size_t(f)], at = int(random.bounded(width));
    const QString own =
        cp1253::decode(record.mid(CatalogueRecord::kOffset[size_t(f)] + at, qMin(width - at, random.bounded(1, 30))));
    ASSERT_TRUE(forgives(own.toLower(), {f}, record)) << qPrintable(own);
  }
}

}  // namespace
