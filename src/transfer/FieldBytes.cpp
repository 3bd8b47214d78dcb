#include "transfer/FieldBytes.h"

#include <array>
#include <cstring>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"

namespace fieldbytes {
namespace {

struct Utf8Char {
  char bytes[3];
  int length;
};

const std::array<Utf8Char, 256>& utf8Table() {
  static const std::array<Utf8Char, 256> table = [] {
    std::array<Utf8Char, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const QByteArray utf8 = QString(cp1253::decodeByte(static_cast<unsigned char>(b))).toUtf8();
      t[size_t(b)].length = int(utf8.size());
      std::memcpy(t[size_t(b)].bytes, utf8.constData(), size_t(utf8.size()));
    }
    return t;
  }();
  return table;
}

}  // namespace

Span trimmed(const char* record, int field) {
  const char* begin = record + CatalogueRecord::kOffset[size_t(field)];
  int length = CatalogueRecord::kWidth[size_t(field)];
  while (length > 0 && begin[length - 1] == ' ') --length;
  return {begin, length};
}

void appendUtf8(QByteArray& out, const char* bytes, int length) {
  const auto& table = utf8Table();
  for (int i = 0; i < length; ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80)
      out.append(char(b));
    else
      out.append(table[b].bytes, table[b].length);
  }
}

bool isDeletionMark(const char* record) {
  static const CatalogueRecord mark = CatalogueRecord::deletionMark();
  return std::memcmp(record, mark.bytes(), CatalogueRecord::kLength) == 0;
}

bool isUndefined(unsigned char byte) { return cp1253::decodeByte(byte).unicode() >= 0xF700 && byte >= 0x80; }

}  // namespace fieldbytes
