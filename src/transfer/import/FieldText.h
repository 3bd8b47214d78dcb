#pragma once

#include <QString>
#include <QStringList>
#include <functional>

struct ImportOptions;
struct ImportResult;

// Where a text comes from ("σειρά 3, στήλη «Τίτλος»: "), worked out only when
// something is said about it: the words cost more than checking the text.
using FieldPlace = std::function<QString()>;

// Makes `text` fit field `field` of a record, by the rules every import
// shares, and writes what the field stores (its width of Windows-1253 bytes,
// filled with blanks) at `out`: trailing blanks dropped; a character the
// catalogue's Windows-1253 cannot hold refused, or written without its accent
// when `options.foldAccents` and it is a Latin letter; one the check would
// report refused; a text longer than the field refused, or cut when
// `options.truncate`. Reasons, cuts and letters written otherwise go to
// `result`, each placed by `where`.
bool fitFieldBytes(QStringView text, int field, const ImportOptions& options, const FieldPlace& where,
                   ImportResult& result, char* out);

// A cell as field `field` would take it, for the preview: its text without
// trailing blanks, whole; the field's width; the characters, each once, that
// the catalogue's Windows-1253 cannot hold.
struct FieldPreview {
  QString text;
  int width = 0;
  QStringList unwritable;
};
FieldPreview previewField(const QString& cell, int field);
