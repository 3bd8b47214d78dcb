#pragma once

#include <QString>
#include <QStringList>

struct CheckReport {
  bool readable = true;   // false: `lines` holds the one error
  bool findings = false;  // something that needs a look (deleted records alone are not)
  QStringList lines;      // a clean file has one
};

// Reads the catalogue and reports, without writing: the record count and how
// the length rounds to it, a torn tail, deleted records, records holding NUL
// bytes, control characters or bytes that Windows-1253 leaves undefined, and
// book numbers (the leading number of field 5) in more than one live record.
CheckReport checkCatalogue(const QString& path);
