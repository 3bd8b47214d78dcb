#pragma once

#include <QString>

// The build-time edition: the librarian's `Lomira` or the students'
// `LomiraView`. Every text that depends on the edition comes from here; no
// other file spells the product title out.
class Edition {
 public:
  enum class Kind { Librarian, Students };

  static Edition librarian() { return Edition(Kind::Librarian); }
  static Edition students() { return Edition(Kind::Students); }

  bool isStudents() const { return m_kind == Kind::Students; }
  // The librarian's edition creates, saves and deletes records; the students'
  // edition only reads the catalogue.
  bool canEdit() const { return m_kind == Kind::Librarian; }

  // The parts of a command a window offers. The students' edition lacks some
  // parts of some commands; every such difference is stated as these parts.
  struct Part {
    enum : unsigned { None = 0, Key = 1, MenuItem = 2, Button = 4, All = Key | MenuItem | Button };
  };
  using Parts = unsigned;
  // Whether this edition offers `part` of a command whose students' edition
  // lacks `studentsLack`.
  bool has(Parts studentsLack, unsigned part) const { return !isStudents() || (studentsLack & part) == 0; }

  // "Σ-Zelkor 3.2" or "Μ-Zelkor 3.2": the start of every caption, box title
  // and printed heading.
  QString productTitle() const;
  // The record window's caption before the 11 blanks and "Εγγραφή: ".
  QString recordCaptionHead() const;
  // The page window's caption before its first search.
  QString pageCaptionAsLoaded() const;
  QString keyHelpCaption() const;

  // About box texts.
  QString editionLetter() const;
  QString aboutProductLine() const;
  QString aboutDescription() const;
  QString aboutAvailability() const;
  // The contact lines, as the build set them.
  // Each edition has its own.
  QString webAddress() const;
  static QString emailAddress();
  static QString rightsHolder();

  QString executableName() const;

 private:
  explicit Edition(Kind kind) : m_kind(kind) {}
  Kind m_kind;
};
