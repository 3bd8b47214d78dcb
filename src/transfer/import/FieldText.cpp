#include "transfer/import/FieldText.h"

#include <array>
#include <cstring>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"
#include "catalogue/FieldBytes.h"
#include "catalogue/RecordField.h"
#include "transfer/import/Import.h"

using namespace Qt::StringLiterals;

namespace {

QString characterName(QStringView text, qsizetype i) {
  char32_t code = text[i].unicode();
  QString shown = text[i];
  if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
    code = QChar::surrogateToUcs4(text[i], text[i + 1]);
    shown = text.mid(i, 2).toString();
  }
  if (code < 0x20 || code == 0x7F) shown.clear();
  return u"«%1» (U+%2)"_s.arg(shown, QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}

// The text a cut lost, in quotes; a long one by its start and its length,
// so that one huge cell makes one short line.
QString lostText(QStringView text) {
  constexpr qsizetype kShown = 60;
  if (text.size() <= kShown) return u"«%1»"_s.arg(text);
  return u"«%1…» (%2 χαρακτήρες)"_s.arg(text.first(kShown), QString::number(text.size()));
}

// The class of each byte (fieldbytes::classOf) in the title and in any other field.
struct ByteClasses {
  std::array<unsigned char, 256> title{};
  std::array<unsigned char, 256> other{};
};

const ByteClasses& byteClasses() {
  static const ByteClasses classes = [] {
    ByteClasses c;
    for (int b = 0; b < 256; ++b) {
      c.title[size_t(b)] = fieldbytes::classOf(uchar(b), recordfield::kTitle);
      c.other[size_t(b)] = fieldbytes::classOf(uchar(b), recordfield::kOtherNames);
    }
    return c;
  }();
  return classes;
}

// The length the field keeps of `text` (trailing blanks and a cut dropped),
// or -1 when it is refused; writes the field's bytes at `out`.
qsizetype fit(QStringView text, int field, bool truncate, const FieldPlace& where, ImportResult& result, char* out) {
  qsizetype length = text.size();
  while (length > 0 && text[length - 1] == u' ') --length;
  const int width = CatalogueRecord::kWidth[size_t(field)];
  const std::array<unsigned char, 256>& classOf =
      field == recordfield::kTitle ? byteClasses().title : byteClasses().other;
  for (qsizetype i = 0; i < length; ++i) {
    const int byte = cp1253::byteFor(text[i]);
    if (byte < 0) {
      result.refuse(where() +
                    u"ο χαρακτήρας %1 δεν υπάρχει στη γραφή Windows-1253 του καταλόγου"_s.arg(characterName(text, i)));
      return -1;
    }
    // What the check would report in the catalogue is refused here by the same rule.
    if (const unsigned char byteClass = classOf[size_t(byte)]; byteClass != 0) {
      result.refuse(where() + (byteClass == fieldbytes::kUndefined
                                   ? u"ο χαρακτήρας %1 δεν ορίζεται στη γραφή Windows-1253 του καταλόγου"_s
                                   : u"ο χαρακτήρας ελέγχου %1 δεν επιτρέπεται σε αυτή τη στήλη"_s)
                                  .arg(characterName(text, i)));
      return -1;
    }
    if (i < width) out[i] = char(byte);
  }
  if (length < width) std::memset(out + length, ' ', size_t(width - length));
  if (length <= width) return length;
  if (!truncate) {
    result.refuse(where() + u"%1 χαρακτήρες, ενώ το πεδίο χωρά %2 (με --truncate κόβεται)"_s.arg(length).arg(width));
    return -1;
  }
  result.add(where() + u"κόπηκε στους %1 χαρακτήρες· χάθηκε το %2"_s.arg(width).arg(
                           lostText(text.sliced(width, length - width))));
  return width;
}

}  // namespace

bool fitFieldBytes(QStringView text, int field, bool truncate, const FieldPlace& where, ImportResult& result,
                   char* out) {
  return fit(text, field, truncate, where, result, out) >= 0;
}

QString storedText(const QString& cell, int field) {
  QString text = cell;
  while (text.endsWith(u' ')) text.chop(1);
  text.truncate(CatalogueRecord::kWidth[size_t(field)]);
  return text;
}
