#pragma once

#include <QString>
#include <functional>

struct ImportResult;

// Where a text comes from ("σειρά 3, στήλη «Τίτλος»: "), worked out only when
// something is said about it: the words cost more than checking the text.
using FieldPlace = std::function<QString()>;

// Makes `text` fit field `field` of a record, by the rules every import
// shares, and writes what the field stores (its width of Windows-1253 bytes,
// filled with blanks) at `out`: trailing blanks dropped; a character the
// catalogue's Windows-1253 cannot hold, or one the check would report,
// refused; a text longer than the field refused, or cut and the cut listed
// when `truncate`. Reasons and cuts go to `result`, each starting with
// `where` ("σειρά 3, στήλη «Τίτλος»: ").
bool fitFieldBytes(QStringView text, int field, bool truncate, const FieldPlace& where, ImportResult& result,
                   char* out);

// A cell's text as field `field` would store it (trailing blanks dropped, cut to the
// field's width), for the preview.
QString storedText(const QString& cell, int field);
