#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVarLengthArray>

// What the borrower field says, read from the free text a librarian types
// there ("Παπαδόπουλος Γιώργος Β2 - 15/12/2026"): the return date, the
// pupil's class and name. A text that cannot be read with confidence is
// never guessed at: it is unreadable, and kept as typed.
namespace loans {

// A class as the list writes it: "Β2", "ΣΤ1", "Γ"; empty for grade 0.
QString schoolClassName(int grade, int section);

struct BorrowerReading {
  enum class State { NotOnLoan, Readable, Unreadable };
  State state = State::NotOnLoan;
  QDate due;         // Readable only
  QString dueTyped;  // the date as typed, e.g. "15 Δεκ"
  int dueAt = 0;     // where the date stands in the bytes read, and its length
  int dueLength = 0;
  int grade = 0;    // 1 for Α to 6 for ΣΤ; 0 without a class
  int section = 0;  // the number after the grade; 0 when none
  // The rest of the text, blanks made single, in Windows-1253; and the same
  // folded as the forgiving search folds it. Kept in place: a list reads
  // many fields and keeps few names.
  QVarLengthArray<char, 64> nameBytes;
  QVarLengthArray<char, 64> nameKey;
  QString typed;  // Unreadable only: the whole text as typed, without outer blanks

  bool readable() const { return state == State::Readable; }
  QString name() const;
  // "Β2", "ΣΤ1", "Γ"; empty when the text names no class.
  QString className() const { return schoolClassName(grade, section); }
};

// Reads the field's Windows-1253 bytes. A date without a year is the nearest
// such date to `today` within six months either way.
BorrowerReading readBorrower(const char* bytes, int length, const QDate& today);
BorrowerReading readBorrower(const QString& text, const QDate& today);
// The same without making the date's text (dueTyped stays empty), for a list
// that keeps the bytes at dueAt instead.
BorrowerReading readBorrowerInPlace(const char* bytes, int length, const QDate& today);
// The general reading alone, without the one-pass reading of the common shape
// that the two above try first; the two must always agree.
BorrowerReading readBorrowerInFull(const char* bytes, int length, const QDate& today);

}  // namespace loans
