#pragma once

#include <QDateTime>
#include <QString>

// What a MARC export says beyond the catalogue: who made the records, when,
// and how the copies are written.
struct MarcOptions {
  // The cataloguing agency's code (MARC21 003 and 040, UNIMARC 801); empty: none named.
  QString agency;
  // Copies as Koha's items (952, 995) of `branch` and `itemType`, instead of plain holdings.
  bool kohaItems = false;
  QString branch;
  QString itemType = QStringLiteral("BK");
  // The date the records are entered and changed; invalid: now.
  QDateTime moment;
};
