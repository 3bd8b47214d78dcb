#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include "catalogue/RecordField.h"

// Field texts straight from a record's 350 bytes, for the exports and the
// check: no QString per field on the way to UTF-8.
namespace fieldbytes {

struct Span {
  const char* data;
  int length;
};

// Field i (0-based) of the record without its trailing blanks.
Span trimmed(const char* record, int field);
// Writes the UTF-8 form of Windows-1253 bytes at `out` (room for three bytes
// each and one more) and returns the end; `special` tells whether the text
// holds a quote, comma or line break.
char* writeUtf8(char* out, const char* bytes, int length, bool* special = nullptr);
// The same, appended to `out`.
void appendUtf8(QByteArray& out, const char* bytes, int length);
inline void appendUtf8(QByteArray& out, Span s) { appendUtf8(out, s.data, s.length); }
// The book number in a field's text: its leading number after any blanks,
// without leading zeros; empty when there is none. Points into the text.
Span bookNumberIn(const char* text, int length);
// The same rule on a field's text as a string (blanks are U+0020, digits ASCII).
QStringView bookNumberIn(QStringView text);
// The book number of a record's 350 bytes, from its number-and-subject field.
Span bookNumberOf(const char* record);
// "~~~" in all six fields.
bool isDeletionMark(const char* record);
// A byte that Windows-1253 leaves undefined.
bool isUndefined(unsigned char byte);

// What a record should not hold, by the one rule that the check reports and
// the import refuses: NUL, control bytes (but the line breaks the title's box
// takes) and bytes that Windows-1253 leaves undefined.
enum ByteClass : unsigned char { kNul = 1, kControl = 2, kUndefined = 4 };
// The class of one byte (0 when it is fine) in field `field`.
unsigned char classOf(unsigned char byte, int field);
// The classes found anywhere in a record's 350 bytes.
unsigned char classesOf(const char* record);

}  // namespace fieldbytes
