#include "import_command/WindowReasons.h"

#include <QStringList>

#include "transfer/import/ImportReason.h"

using namespace Qt::StringLiterals;

namespace {

QString quoted(const QStringList& names) {
  QStringList all;
  for (const QString& name : names) all.append(u"«%1»"_s.arg(name));
  return all.join(u", "_s);
}

QString notInScript(const ImportReason& r) {
  return r.place + u"ο χαρακτήρας «%1» δεν υπάρχει στην ελληνική γραφή του καταλόγου"_s.arg(r.character);
}

}  // namespace

QString windowWording(const ImportReason& r) {
  using Code = ImportReason::Code;
  switch (r.code) {
    case Code::Said:
      return r.text;
    case Code::ReadAs:
      return u"Το «%1» διαβάστηκε ως %2."_s.arg(r.file, r.text);
    case Code::Unwritable:
      if (!r.folded.isEmpty()) return notInScript(r) + u"· χωρίς τόνο γράφεται «%1»"_s.arg(r.folded);
      return notInScript(r);
    case Code::Undefined:
      return notInScript(r);
    case Code::Control:
      return r.place + u"έχει αόρατο χαρακτήρα ελέγχου, που αυτό το πεδίο δεν δέχεται"_s;
    case Code::TooLong:
      return r.place +
             u"%1 χαρακτήρες, ενώ το πεδίο χωρά %2· αν κοπεί, χάνεται το %3"_s.arg(r.length).arg(r.width).arg(r.lost);
    case Code::Cut:
      return r.place + u"κόπηκε στους %1 χαρακτήρες· χάθηκε το %2"_s.arg(r.width).arg(r.lost);
    case Code::Folded:
      return r.place + u"γράφτηκε «%1» αντί «%2»"_s.arg(r.folded, r.text);
    case Code::Skipped:
      return r.place + u"δεν έχει κανένα πεδίο του καταλόγου και παραλείφθηκε"_s;
    case Code::NoHeader:
      return u"σειρά %1: η πρώτη σειρά (%2) δεν ονομάζει στήλες του καταλόγου· διαλέξτε τη στήλη κάθε πεδίου"_s
          .arg(r.row)
          .arg(quoted(r.names));
    case Code::UnknownColumns:
      return (r.names.size() == 1 ? u"σειρά %1: η στήλη %2 δεν είναι στήλη του καταλόγου· αφήστε την έξω"_s
                                  : u"σειρά %1: οι στήλες %2 δεν είναι στήλες του καταλόγου· αφήστε τις έξω"_s)
          .arg(r.row)
          .arg(quoted(r.names));
    case Code::ExtraCell:
      return u"σειρά %1: κείμενο στο κελί %2, ενώ ο πίνακας έχει %3 στήλες"_s.arg(r.row).arg(r.length).arg(r.width);
    case Code::NotCatalogue:
      return u"Το αρχείο «%1» δεν είναι κατάλογος ή έχει μισή τελευταία εγγραφή: το μήκος του (%2 byte) δεν είναι "
             "πολλαπλάσιο των %3 byte."_s.arg(r.file)
                 .arg(r.length)
                 .arg(r.width);
    case Code::RecordBytes:
      return u"εγγραφή %1 του «%2»: έχει %3, που ο κατάλογος δεν δέχεται"_s.arg(r.row).arg(r.file,
                                                                                           r.names.join(u", "_s));
    case Code::RepeatInCatalogue:
      return r.place + u"ο βιβλιάριθμος %1 υπάρχει ήδη στον κατάλογο, στην εγγραφή με κωδικό %2"_s.arg(
                           r.text, QString::number(r.row));
    case Code::RepeatInFile:
      return r.place + u"ο βιβλιάριθμος %1 δίνεται ήδη πιο πάνω (%2)"_s.arg(r.text, r.other);
  }
  return r.text;
}

bool cutMends(const ImportReason& reason) { return reason.code == ImportReason::Code::TooLong; }

bool foldMends(const ImportReason& reason) {
  return reason.code == ImportReason::Code::Unwritable && !reason.folded.isEmpty();
}
