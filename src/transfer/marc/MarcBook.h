#pragma once

#include <QList>
#include <QString>

// What a catalogue record says about a book, read the way a library system
// needs it: the names as headings with their roles, the title's initial
// article, the year, the book number apart from the subject. Both MARC
// flavours are written from it; docs/marc-mapping.md has the rules.

// A role written after a name in parentheses, "(μτφρ.)".
struct MarcRole {
  QString term;     // as a MARC21 relator term, in Greek: "μεταφραστής"
  QString code;     // the MARC relator code: "trl"
  QString unimarc;  // UNIMARC's relator code: "730"
  QString word;     // the short word a librarian types after a name: "μτφρ."
};

struct MarcName {
  QString name;           // as typed, without the role
  bool forename = false;  // one word (Όμηρος): entered under the forename
  const MarcRole* role = nullptr;
};

struct MarcBook {
  QString title;
  int articleLength = 0;    // the initial article and its blank, in characters
  QList<MarcName> authors;  // field 1's personal names, in order
  QString responsibility;   // field 1 when it names no person ("Ομάδα Συγγραφέων")
  QString otherNamesText;   // field 2 as typed
  QList<MarcName> otherNames;
  QString publication;
  QString year;        // the one four-digit year of the publication text, or empty
  QString bookNumber;  // the leading number of field 5, without leading zeros
  QString subject;     // the rest of field 5
};

// `fields` are the record's first five fields, trimmed to one line each.
MarcBook marcBook(const QList<QString>& fields);

// The role a MARC21 relator code or term or a UNIMARC relator code stands
// for, or null. UNIMARC's 080 is read as the introduction's.
const MarcRole* marcRoleOf(const QString& codeOrTerm);
// How many persons a names field holds, read as the export reads field 1 and 2.
qsizetype personalNameCount(const QString& field);
// A statement of responsibility with its initials closed up ("Ν. Δ." as
// "Ν.Δ."), as transcription writes them.
QString transcribed(const QString& statement);
