#include <gtest/gtest.h>

#include <QSet>
#include <array>

#include "catalogue/Cp1253.h"

using namespace Qt::StringLiterals;

namespace {

// The upper half of the Greek code page, bytes 0x80-0xFF; undefined bytes
// read as U+F700 + byte.
constexpr std::array<char16_t, 128> kExpectedHigh{
    0x20AC, 0xF781, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0xF788, 0x2030, 0xF78A, 0x2039, 0xF78C, 0xF78D, 0xF78E, 0xF78F,  // 88
    0xF790, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xF798, 0x2122, 0xF79A, 0x203A, 0xF79C, 0xF79D, 0xF79E, 0xF79F,  // 98
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0xF7AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,  // B8
    0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397,  // C0
    0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F,  // C8
    0x03A0, 0x03A1, 0xF7D2, 0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7,  // D0
    0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF,  // D8
    0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7,  // E0
    0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF,  // E8
    0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7,  // F0
    0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0xF7FF,  // F8
};

TEST(Cp1253, DecodesEveryByteToTheExpectedDistinctCharacter) {
  QSet<char16_t> seen;
  for (int b = 0; b < 256; ++b) {
    const char16_t expected = b < 0x80 ? char16_t(b) : kExpectedHigh[b - 0x80];
    const QChar got = cp1253::decodeByte(static_cast<unsigned char>(b));
    EXPECT_EQ(got.unicode(), expected) << "byte " << std::hex << b;
    seen.insert(got.unicode());
  }
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

}  // namespace
