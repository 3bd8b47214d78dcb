#pragma once

#include <QDate>
#include <QList>
#include <QStringList>

// A small catalogue of known loans, read on 8 December 2026: late books in
// three classes and one without a class, a pupil typed two ways, a book not
// yet due, an unreadable field, an empty one and a deleted record.
inline QDate knownLoansDay() { return QDate(2026, 12, 8); }

inline QList<QStringList> knownLoans() {
  using namespace Qt::StringLiterals;
  const QString d = u"~~~"_s;
  return {
      {u"Σαιντ-Εξυπερί"_s, u""_s, u"Ο μικρός πρίγκιπας"_s, u"Πατάκης 2015"_s, u"101 Παιδικά"_s,
       u"Παπαδόπουλος Γιώργος Β2 - 15/11/2026"_s},
      {u"Μαραγκού"_s, u""_s, u"Τα ψηλά βουνά"_s, u""_s, u"102"_s, u""_s},
      {u"Παπαδιαμάντης"_s, u""_s, u"Η φόνισσα"_s, u""_s, u"103"_s, u"Νικολάου Μαρία Α1 - 1/12/2026"_s},
      {u"Καζαντζάκης"_s, u""_s, u"Ο Καπετάν Μιχάλης"_s, u""_s, u"104"_s, u"ΠΑΠΑΔΟΠΟΥΛΟΣ ΓΙΩΡΓΟΣ B2 1/12/2026"_s},
      {u"Κάρολ"_s, u""_s, u"Αλίκη στη χώρα των θαυμάτων"_s, u""_s, u"105"_s, u"Ιωάννου Πέτρος Β` 2 - 15/12"_s},
      {u"Σαμαράκης"_s, u""_s, u"Το καπλάνι της βιτρίνας"_s, u""_s, u"106"_s, u"μετά τις διακοπές"_s},
      {d, d, d, d, d, d},
      {u"Μπρεχτ"_s, u""_s, u"Ο κύκλος με την κιμωλία"_s, u""_s, u"108"_s, u"Γεωργίου Άννα ΣΤ1 20/11/2026"_s},
      {u"Ρίτσος"_s, u""_s, u"Τρεις φορές"_s, u""_s, u"109"_s, u"Δημητρίου Νίκος 30/11/2026"_s},
      {u"Ουγκό"_s, u""_s, u"Οι άθλιοι"_s, u""_s, u"110"_s, u"Παπαδόπουλος Γιώργος Β2 20/10/2026"_s},
  };
}
