#pragma once

#include <QString>

// What goes on a book's spine: the classification as typed at the head of
// the number-and-subject field ("265.5", or a class in capitals such as
// "ΕΜ") and the first three letters of the author's surname in capitals
// without accents ("ΦΑΡ").
struct SpineText {
  QString classification;
  QString author;
  // Both on one line, a space between ("265.5 ΦΑΡ").
  QString line() const;
};

// The leading number (digits with the dots, slashes and dashes between them)
// or the leading word when it is all capitals; empty otherwise.
QString classificationOf(const QString& numberAndSubject);
// The first three letters of the first word, in capitals without accents;
// Latin names keep their letters.
QString authorLettersOf(const QString& author);
SpineText spineTextOf(const QString& author, const QString& numberAndSubject);
