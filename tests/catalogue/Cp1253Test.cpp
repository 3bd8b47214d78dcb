#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

#include "catalogue/Cp1253.h"

using namespace Qt::StringLiterals;

namespace {

// tests/data/cp1253.txt gives, from Unicode's mapping table, the character
// of every byte (written by cp1253.py beside it); a byte the code page leaves
// undefined reads as U+F700 + byte, so that every byte survives.
TEST(Cp1253, DecodesEveryByteAsUnicodeMapsItAndKeepsTheUndefinedOnesDistinct) {
  QFile expected(QStringLiteral(LOMIRA_SOURCE_DIR "/tests/data/cp1253.txt"));
  ASSERT_TRUE(expected.open(QIODevice::ReadOnly | QIODevice::Text));
  QSet<char16_t> seen;
  int rows = 0;
  while (!expected.atEnd()) {
    const QByteArray line = expected.readLine().trimmed();
    if (line.startsWith('#')) continue;
    const QList<QByteArray> columns = line.split(' ');
    ASSERT_EQ(columns.size(), 2) << line.constData();
    const int byte = columns[0].toInt(nullptr, 16);
    const int code = columns[1] == "-" ? 0xF700 + byte : columns[1].toInt(nullptr, 16);
    const QChar got = cp1253::decodeByte(static_cast<unsigned char>(byte));
    EXPECT_EQ(int(got.unicode()), code) << "byte " << columns[0].constData();
    seen.insert(got.unicode());
    ++rows;
  }
  EXPECT_EQ(rows, 256);
  EXPECT_EQ(seen.size(), 256);
}

TEST(Cp1253, AllBytesSurviveDecodeAndEncode) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(char(b));
  bool ok = false;
  EXPECT_EQ(cp1253::encode(cp1253::decode(all), &ok), all);
  EXPECT_TRUE(ok);
}

TEST(Cp1253, EncodesGreekAndLatinText) {
  bool ok = false;
  EXPECT_EQ(
      cp1253::encode(u"Καζαντζάκης, Ν. «Ζορμπάς» ΐΰ"_s, &ok),
      QByteArray("\xCA\xE1\xE6\xE1\xED\xF4\xE6\xDC\xEA\xE7\xF2\x2C\x20\xCD\x2E\x20\xAB\xC6\xEF\xF1\xEC\xF0\xDC\xF2\xBB"
                 "\x20\xC0\xE0"));
  EXPECT_TRUE(ok);
  EXPECT_TRUE(cp1253::canEncode(u"Αθήνα: Εστία, 1990 €"_s));
}

TEST(Cp1253, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
  bool ok = true;
  // Cyrillic Ж, a German ü (not in the Greek page), a character outside the basic plane, and U+FFFD.
  EXPECT_EQ(cp1253::encode(u"aЖü😀\uFFFDb"_s, &ok), QByteArray("a????b"));
  EXPECT_FALSE(ok);
  EXPECT_FALSE(cp1253::canEncode(QChar(0x0416)));
  EXPECT_FALSE(cp1253::canEncode(u"Ωü"_s));
  EXPECT_TRUE(cp1253::canEncode(QChar(0xF7D2)));
}

TEST(Cp1253, ALatinLetterWithAccentsFoldsToItsBareLetterAndNothingElseFolds) {
  const QString from = u"éñÅçǖṩ"_s;
  QString folded;
  for (QChar ch : from) folded += cp1253::foldedLetter(ch);
  EXPECT_EQ(folded, u"enAcus"_s);
  // Not a Latin letter with marks: a letter of its own, a ligature, Cyrillic with a breve, a Greek letter.
  for (QChar ch : u"øßæﬁЙἀ"_s) EXPECT_TRUE(cp1253::foldedLetter(ch).isNull()) << ch.unicode();
}

}  // namespace
