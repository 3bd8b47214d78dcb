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
  static QString webAddress();
  static QString emailAddress();
  static QString rightsHolder();

  QString executableName() const;

 private:
  explicit Edition(Kind kind) : m_kind(kind) {}
  Kind m_kind;
};
