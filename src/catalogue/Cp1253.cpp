#include "catalogue/Cp1253.h"

#include <algorithm>
#include <array>

namespace cp1253 {
namespace {

// Bytes 0x80-0xFF. Zero marks a byte the code page leaves undefined; such a
// byte reads as U+F700 + byte so that it survives a round trip.
constexpr std::array<char16_t, 128> kHigh{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0,      0x2030, 0,      0x2039, 0,      0,      0,      0,       // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0,      0x2122, 0,      0x203A, 0,      0,      0,      0,       // 98
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0,      0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,  // B8
    0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397,  // C0
    0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F,  // C8
    0x03A0, 0x03A1, 0,      0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7,  // D0
    0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF,  // D8
    0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7,  // E0
    0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF,  // E8
    0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7,  // F0
    0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0,       // F8
};

constexpr char16_t kPrivateBase = 0xF700;

constexpr char16_t unicodeOf(unsigned char byte) {
  if (byte < 0x80) return byte;
  const char16_t u = kHigh[byte - 0x80];
  return u != 0 ? u : char16_t(kPrivateBase + byte);
}

constexpr std::array<char16_t, 256> makeCharTable() {
  std::array<char16_t, 256> t{};
  for (int b = 0; b <= 0xFF; ++b) t[size_t(b)] = unicodeOf(static_cast<unsigned char>(b));
  return t;
}

// The character of each byte, one look-up per byte for the long decodes.
constexpr std::array<char16_t, 256> kCharTable = makeCharTable();

// The byte for each character, -1 where the code page cannot hold it.
constexpr std::array<qint16, 0x10000> makeByteTable() {
  std::array<qint16, 0x10000> t{};
  for (qint16& b : t) b = -1;
  for (int b = 0; b <= 0xFF; ++b) t[unicodeOf(static_cast<unsigned char>(b))] = qint16(b);
  return t;
}

constexpr std::array<qint16, 0x10000> kByteTable = makeByteTable();

int byteOf(char16_t u) { return kByteTable[u]; }

}  // namespace

const qint16* const kByteFor = kByteTable.data();

QChar decodeByte(unsigned char byte) { return QChar(unicodeOf(byte)); }

QString decode(const char* bytes, int length) {
  QString out(qMax(length, 0), Qt::Uninitialized);
  QChar* dst = out.data();
  for (int i = 0; i < length; ++i) dst[i] = QChar(kCharTable[static_cast<unsigned char>(bytes[i])]);
  return out;
}

bool canEncode(QChar ch) { return byteOf(ch.unicode()) >= 0; }

bool canEncode(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar ch) { return canEncode(ch); });
}

QByteArray encode(const QString& text, bool* ok) {
  QByteArray out;
  out.reserve(text.size());
  bool all = true;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text.at(i);
    const int b = byteOf(ch.unicode());
    if (b >= 0) {
      out.append(static_cast<char>(b));
      continue;
    }
    all = false;
    out.append('?');
    // A character outside the basic plane is one '?', not one per half.
    if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
  }
  if (ok) *ok = all;
  return out;
}

QChar foldedLetter(QChar ch) {
  if (ch.decompositionTag() != QChar::Canonical) return {};
  // Fully taken apart (ǖ is u, diaeresis, macron): a Latin letter and marks only.
  const QString parts = QString(ch).normalized(QString::NormalizationForm_D);
  const QChar base = parts.front();
  if (!((base >= u'a' && base <= u'z') || (base >= u'A' && base <= u'Z'))) return {};
  for (qsizetype i = 1; i < parts.size(); ++i)
    if (parts[i].category() != QChar::Mark_NonSpacing) return {};
  return base;
}

}  // namespace cp1253
