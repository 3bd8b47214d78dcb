#include "catalogue_tool/ToolReasons.h"

#include <QStringList>

#include "transfer/import/ImportReason.h"

using namespace Qt::StringLiterals;

namespace {

// A character by itself and by its code point, a control character by its code alone.
QString characterName(const QString& character) {
  const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                              : char32_t(character.isEmpty() ? 0 : character[0].unicode());
  const QString shown = code < 0x20 || code == 0x7F ? QString() : character;
  return u"«%1» (U+%2)"_s.arg(shown, QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}

QString quoted(const QStringList& names) {
  QStringList all;
  for (const QString& name : names) all.append(u"«%1»"_s.arg(name));
  return all.join(u", "_s);
}

}  // namespace

QString toolWording(const ImportReason& r) {
  using Code = ImportReason::Code;
  switch (r.code) {
    case Code::Said:
      return r.text;
    case Code::ReadAs:
      return u"Το «%1» διαβάστηκε ως %2."_s.arg(r.file, r.text);
    case Code::Unwritable:
      return r.place +
             u"ο χαρακτήρας %1 δεν υπάρχει στη γραφή Windows-1253 του καταλόγου"_s.arg(characterName(r.character));
    case Code::Undefined:
      return r.place +
             u"ο χαρακτήρας %1 δεν ορίζεται στη γραφή Windows-1253 του καταλόγου"_s.arg(characterName(r.character));
    case Code::Control:
      return r.place + u"ο χαρακτήρας ελέγχου %1 δεν επιτρέπεται σε αυτή τη στήλη"_s.arg(characterName(r.character));
    case Code::TooLong:
      return r.place + u"%1 χαρακτήρες, ενώ το πεδίο χωρά %2 (με --truncate κόβεται)"_s.arg(r.length).arg(r.width);
    case Code::Cut:
      return r.place + u"κόπηκε στους %1 χαρακτήρες· χάθηκε το %2"_s.arg(r.width).arg(r.lost);
    case Code::Folded:
      return r.place + u"γράφτηκε «%1» αντί «%2»"_s.arg(r.folded, r.text);
    case Code::Skipped:
      return r.place + u"δεν έχει κανένα πεδίο του καταλόγου και παραλείφθηκε"_s;
    case Code::NoHeader:
      return u"σειρά %1: η πρώτη σειρά (%2) δεν ονομάζει στήλες του καταλόγου· αν το αρχείο δεν έχει "
             "επικεφαλίδα, δώστε το πεδίο κάθε στήλης με --columns, π.χ. --columns \"Τίτλος,Συγγραφέας,-,Θέμα\""_s
                 .arg(r.row)
                 .arg(quoted(r.names));
    case Code::UnknownColumns:
      return (r.names.size() == 1 ? u"σειρά %1: η στήλη %2 δεν είναι στήλη του καταλόγου· διορθώστε την "
                                    "επικεφαλίδα ή αφήστε την έξω με --columns και «-»"_s
                                  : u"σειρά %1: οι στήλες %2 δεν είναι στήλες του καταλόγου· διορθώστε την "
                                    "επικεφαλίδα ή αφήστε τις έξω με --columns και «-»"_s)
          .arg(r.row)
          .arg(quoted(r.names));
    case Code::ExtraCell:
      return u"σειρά %1: κείμενο στο κελί %2, ενώ ο πίνακας έχει %3 στήλες"_s.arg(r.row).arg(r.length).arg(r.width);
    case Code::NotCatalogue:
      return u"Το αρχείο «%1» δεν είναι κατάλογος ή έχει μισή τελευταία εγγραφή: το μήκος του (%2 byte) δεν είναι "
             "πολλαπλάσιο των %3 byte. Δείτε το με «lomira-catalogue check»."_s.arg(r.file)
                 .arg(r.length)
                 .arg(r.width);
    case Code::RecordBytes:
      return u"εγγραφή %1 του «%2»: έχει %3 (δείτε τη με «lomira-catalogue check»)"_s.arg(r.row).arg(
          r.file, r.names.join(u", "_s));
    case Code::RepeatInCatalogue:
      return r.place + u"ο βιβλιάριθμος %1 υπάρχει ήδη στον κατάλογο, στην εγγραφή με κωδικό %2"_s.arg(
                           r.number, QString::number(r.row));
    case Code::RepeatInFile:
      return r.place + u"ο βιβλιάριθμος %1 δίνεται ήδη πιο πάνω (%2)"_s.arg(r.number, r.other);
  }
  return r.text;
}
