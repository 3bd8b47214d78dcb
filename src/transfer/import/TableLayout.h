#pragma once

#include <QList>
#include <QStringList>

#include "transfer/import/Import.h"

class TableReader;

// Which field each column of a table goes to, from its first row or from
// ImportOptions::columns.
struct TableLayout {
  QList<int> columns;      // a field, kCodeColumn or kNoColumn, by position
  bool headerRow = false;  // the first row names the columns and makes no record
  QStringList unknown;     // header names that name no column
  bool namesAny = false;   // the first row names at least one column
};
TableLayout tableLayout(const QStringList& firstRow, const ImportOptions& options);
// A cell that holds only blanks, as spreadsheets show them.
bool isBlankCell(const QString& text);
// A row whose cells are all blank (spreadsheets leave such rows at the end).
bool isBlankRow(const QStringList& cells);
// The text of field `field` from the cells of its columns, in order: blank
// cells left out, the others joined by the field's joiner (columnJoiner).
QString joinedCells(const QStringList& cells, int field);
// A row that reads as a sheet's totals or a note rather than a book: at
// most two filled cells, one of them starting "Σύνολο", "Σύνολα", "Γενικό
// σύνολο" or "Σημείωση" (any case or accents). The last row of a sheet,
// given with the row `above` it, also when it holds only a label and a
// number in cells other than those `above` fills (a list of titles and
// numbers alone is a list of books). Only ever a question to the
// librarian: a book may look so.
bool looksLikeTotals(const QStringList& cells, const QStringList* above = nullptr);
// The next row of `table` that is not blank; false at the end.
bool nextFilledRow(TableReader& table, QStringList& cells);
