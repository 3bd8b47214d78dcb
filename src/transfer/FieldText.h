#pragma once

#include <QString>

struct ImportResult;

// Makes `text` fit field `field` of a record, by the rules every import
// shares: trailing blanks dropped; a character the catalogue's Windows-1253
// cannot hold, or one the check would report, refused; a text longer than
// the field refused, or cut and the cut listed when `truncate`. Reasons and
// cuts go to `result`, each starting with `where` ("σειρά 3, στήλη «Τίτλος»: ").
bool fitField(QString& text, int field, bool truncate, const QString& where, ImportResult& result);
