#pragma once

#include <QString>

struct ImportReason;

// What the import found, said in the librarian's window's own terms: what
// the window can do about it, never a flag of the command-line tool nor a
// character's code point.
QString windowWording(const ImportReason& reason);

// Whether the window can mend the reason itself, by cutting the field or by
// writing a Latin letter without its accent.
bool cutMends(const ImportReason& reason);
bool foldMends(const ImportReason& reason);
