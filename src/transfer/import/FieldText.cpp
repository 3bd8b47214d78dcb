#include "transfer/import/FieldText.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"
#include "catalogue/FieldBytes.h"
#include "catalogue/RecordField.h"
#include "transfer/import/Import.h"

using namespace Qt::StringLiterals;

namespace {

// The character at `i` whole, a pair of surrogates included.
QString characterAt(QStringView text, qsizetype i) {
  if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
    return text.mid(i, 2).toString();
  return text[i];
}

// The text a cut loses, in quotes; a long one by its start and its length,
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

ImportReason reasonAt(ImportReason::Code code, const FieldPlace& where) {
  ImportReason reason;
  reason.code = code;
  reason.place = where();
  return reason;
}

// The byte that stores text[i] in field `field`, or -1 with the reason
// refused; `folded` is set when a Latin letter lost its accent for it.
int byteAt(QStringView text, qsizetype i, int field, const ImportOptions& options, const FieldPlace& where,
           ImportResult& result, bool& folded) {
  int byte = cp1253::byteFor(text[i]);
  if (byte < 0) {
    // The mark a reading leaves for a character it could not read: the fault
    // is the file's, not the code page's.
    if (text[i] == QChar::ReplacementCharacter) {
      result.refuse(where() +
                    u"το αρχείο έχει εδώ το σημάδι «�» στη θέση ενός χαρακτήρα που χάθηκε ή είναι γραμμένος "
                    "λάθος· διορθώστε τον στο αρχείο (U+FFFD)"_s);
      return -1;
    }
    const QChar letter = cp1253::foldedLetter(text[i]);
    if (options.foldAccents && !letter.isNull()) {
      folded = true;
      return cp1253::byteFor(letter);
    }
    ImportReason reason = reasonAt(ImportReason::Code::Unwritable, where);
    reason.character = characterAt(text, i);
    if (!letter.isNull()) reason.folded = letter;
    result.refuse(reason);
    return -1;
  }
  // What the check would report in the catalogue is refused here by the same rule.
  const std::array<unsigned char, 256>& classOf =
      field == recordfield::kTitle ? byteClasses().title : byteClasses().other;
  if (const unsigned char byteClass = classOf[size_t(byte)]; byteClass != 0) {
    ImportReason reason = reasonAt(
        byteClass == fieldbytes::kUndefined ? ImportReason::Code::Undefined : ImportReason::Code::Control, where);
    reason.character = characterAt(text, i);
    result.refuse(reason);
    return -1;
  }
  return byte;
}

// The length the field keeps of `text` (trailing blanks and a cut dropped),
// or -1 when it is refused; writes the field's bytes at `out`.
qsizetype fit(QStringView text, int field, const ImportOptions& options, const FieldPlace& where, ImportResult& result,
              char* out) {
  qsizetype length = text.size();
  while (length > 0 && text[length - 1] == u' ') --length;
  const int width = CatalogueRecord::kWidth[size_t(field)];
  bool folded = false;
  for (qsizetype i = 0; i < length; ++i) {
    const int byte = byteAt(text, i, field, options, where, result, folded);
    if (byte < 0) return -1;
    if (i < width) out[i] = char(byte);
  }
  if (length < width) std::memset(out + length, ' ', size_t(width - length));
  const qsizetype kept = std::min<qsizetype>(length, width);
  if (length > width) {
    ImportReason reason = reasonAt(options.truncate ? ImportReason::Code::Cut : ImportReason::Code::TooLong, where);
    reason.length = length;
    reason.width = width;
    reason.lost = lostText(text.sliced(width, length - width));
    if (!options.truncate) {
      result.refuse(reason);
      return -1;
    }
    result.cuts.add(reason);
  }
  if (folded) {
    ImportReason reason = reasonAt(ImportReason::Code::Folded, where);
    reason.text = text.first(kept).toString();
    reason.folded = cp1253::decode(out, int(kept));
    result.notes.add(reason);
  }
  return kept;
}

}  // namespace

bool fitFieldBytes(QStringView text, int field, const ImportOptions& options, const FieldPlace& where,
                   ImportResult& result, char* out) {
  return fit(text, field, options, where, result, out) >= 0;
}

FieldPreview previewField(const QString& cell, int field) {
  FieldPreview preview;
  preview.text = cell;
  while (preview.text.endsWith(u' ')) preview.text.chop(1);
  preview.width = CatalogueRecord::kWidth[size_t(field)];
  for (qsizetype i = 0; i < preview.text.size(); ++i) {
    if (cp1253::byteFor(preview.text[i]) >= 0) continue;
    const QString character = characterAt(preview.text, i);
    if (!preview.unwritable.contains(character)) preview.unwritable.append(character);
    i += character.size() - 1;
  }
  return preview;
}
