#include "catalogue/FieldBytes.h"

#include <QtAlgorithms>
#include <QtEndian>
#include <array>
#include <cstring>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"
#include "catalogue/RecordField.h"

namespace fieldbytes {
namespace {

// Each byte's UTF-8 form in the first bytes of a word (the rest zero), and its length.
struct Utf8Char {
  quint32 bytes;
  unsigned char length;
  unsigned char special;  // a quote, comma or line break: the CSV cell needs quotes
};

const std::array<Utf8Char, 256>& utf8Table() {
  static const std::array<Utf8Char, 256> table = [] {
    std::array<Utf8Char, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const QByteArray utf8 = QString(cp1253::decodeByte(static_cast<unsigned char>(b))).toUtf8();
      t[size_t(b)].length = static_cast<unsigned char>(utf8.size());
      t[size_t(b)].special = b == '"' || b == ',' || b == '\r' || b == '\n';
      std::memcpy(&t[size_t(b)].bytes, utf8.constData(), size_t(utf8.size()));
    }
    return t;
  }();
  return table;
}

}  // namespace

Span trimmed(const char* record, int field) {
  const char* begin = record + CatalogueRecord::kOffset[size_t(field)];
  int length = CatalogueRecord::kWidth[size_t(field)];
  // Fields are mostly padding: step over eight blanks at a time.
  constexpr quint64 kBlanks = 0x2020202020202020ULL;
  quint64 word;
  while (length >= 8 && (word = qFromLittleEndian<quint64>(begin + length - 8)) == kBlanks) length -= 8;
  if (length >= 8) {
    // The last of the eight that is not a blank, from the highest byte that differs.
    const int highBit = 63 - qCountLeadingZeroBits(word ^ kBlanks);
    return {begin, length - 8 + highBit / 8 + 1};
  }
  while (length > 0 && begin[length - 1] == ' ') --length;
  return {begin, length};
}

char* writeUtf8(char* out, const char* bytes, int length, bool* special) {
  const auto& table = utf8Table();
  unsigned char any = 0;
  for (int i = 0; i < length; ++i) {
    // One four-byte store per character, then step by its length.
    const Utf8Char& c = table[static_cast<unsigned char>(bytes[i])];
    std::memcpy(out, &c.bytes, 4);
    out += c.length;
    any |= c.special;
  }
  if (special) *special = any != 0;
  return out;
}

void appendUtf8(QByteArray& out, const char* bytes, int length) {
  const qsizetype old = out.size();
  out.resize(old + 3 * qsizetype(length) + 1);
  out.resize(writeUtf8(out.data() + old, bytes, length) - out.data());
}

bool isDeletionMark(const char* record) {
  static const CatalogueRecord mark = CatalogueRecord::deletionMark();
  return std::memcmp(record, mark.bytes(), CatalogueRecord::kLength) == 0;
}

bool isUndefined(unsigned char byte) { return cp1253::decodeByte(byte).unicode() >= 0xF700 && byte >= 0x80; }

namespace {

// The book number's place in a text of bytes or of UTF-16: its start and
// length, by one rule for both.
template <typename Char>
std::pair<int, int> bookNumberPlace(const Char* text, int length) {
  const auto digit = [&](int i) { return text[i] >= Char('0') && text[i] <= Char('9'); };
  int i = 0;
  while (i < length && text[i] == Char(' ')) ++i;
  while (i + 1 < length && text[i] == Char('0') && digit(i + 1)) ++i;
  const int start = i;
  while (i < length && digit(i)) ++i;
  return {start, i - start};
}

}  // namespace

Span bookNumberIn(const char* text, int length) {
  const auto [start, count] = bookNumberPlace(text, length);
  return {text + start, count};
}

QStringView bookNumberIn(QStringView text) {
  const auto [start, count] = bookNumberPlace(text.utf16(), int(text.size()));
  return text.sliced(start, count);
}

Span bookNumberOf(const char* record) {
  const Span f = trimmed(record, recordfield::kNumberAndSubject);
  return bookNumberIn(f.data, f.length);
}

unsigned char classOf(unsigned char byte, int field) {
  if (byte == 0) return kNul;
  if (byte < 0x20 || byte == 0x7F) return (byte == '\r' || byte == '\n') && field == recordfield::kTitle ? 0 : kControl;
  return isUndefined(byte) ? kUndefined : 0;
}

namespace {

// Whether the bytes hold anything but printable characters: written so that
// the compiler checks many bytes at once, since nearly every record is clean.
bool mayHoldFindings(const unsigned char* bytes) {
  unsigned char any = 0;
  for (int i = 0; i < CatalogueRecord::kLength; ++i) {
    const unsigned char b = bytes[i];
    any |= static_cast<unsigned char>((b < 0x20) | (b == 0x7F) | (static_cast<unsigned char>(b - 0x80) < 0x20) |
                                      (b == 0xAA) | (b == 0xD2) | (b == 0xFF));
  }
  return any != 0;
}

}  // namespace

unsigned char classesOf(const char* record) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(record);
  if (!mayHoldFindings(bytes)) return 0;
  unsigned char found = 0;
  for (int field = 0; field < CatalogueRecord::kFieldCount; ++field)
    for (int i = CatalogueRecord::kOffset[size_t(field)];
         i < CatalogueRecord::kOffset[size_t(field)] + CatalogueRecord::kWidth[size_t(field)]; ++i)
      found |= classOf(bytes[i], field);
  return found;
}

}  // namespace fieldbytes
