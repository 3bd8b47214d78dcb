#include "transfer/FieldText.h"

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"
#include "transfer/FieldBytes.h"
#include "transfer/Import.h"

using namespace Qt::StringLiterals;

namespace {

QString characterName(const QString& text, qsizetype i) {
  char32_t code = text[i].unicode();
  QString shown = text[i];
  if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
    code = QChar::surrogateToUcs4(text[i], text[i + 1]);
    shown = text.mid(i, 2);
  }
  if (code < 0x20 || code == 0x7F) shown.clear();
  return u"«%1» (U+%2)"_s.arg(shown, QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}

// The text a cut lost, in quotes; a long one by its start and its length,
// so that one huge cell makes one short line.
QString lostText(const QString& text) {
  constexpr qsizetype kShown = 60;
  if (text.size() <= kShown) return u"«%1»"_s.arg(text);
  return u"«%1…» (%2 χαρακτήρες)"_s.arg(text.first(kShown), QString::number(text.size()));
}

bool refuse(ImportResult& result, const QString& reason) {
  result.refuse(reason);
  return false;
}

}  // namespace

bool fitField(QString& text, int field, bool truncate, const QString& where, ImportResult& result) {
  while (text.endsWith(u' ')) text.chop(1);
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!cp1253::canEncode(text[i]))
      return refuse(result, where + u"ο χαρακτήρας %1 δεν υπάρχει στη γραφή Windows-1253 του καταλόγου"_s.arg(
                                        characterName(text, i)));
    // What the check would report in the catalogue is refused here by the same rule.
    const unsigned char byteClass = fieldbytes::classOf(uchar(cp1253::encode(text.mid(i, 1)).at(0)), field);
    if (byteClass != 0)
      return refuse(result, where + (byteClass == fieldbytes::kUndefined
                                         ? u"ο χαρακτήρας %1 δεν ορίζεται στη γραφή Windows-1253 του καταλόγου"_s
                                         : u"ο χαρακτήρας ελέγχου %1 δεν επιτρέπεται σε αυτή τη στήλη"_s)
                                        .arg(characterName(text, i)));
  }
  const int width = CatalogueRecord::kWidth[size_t(field)];
  if (text.size() <= width) return true;
  if (!truncate)
    return refuse(result,
                  where + u"%1 χαρακτήρες, ενώ το πεδίο χωρά %2 (με --truncate κόβεται)"_s.arg(text.size()).arg(width));
  result.add(where + u"κόπηκε στους %1 χαρακτήρες· χάθηκε το %2"_s.arg(width).arg(lostText(text.mid(width))));
  text.truncate(width);
  return true;
}
