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
