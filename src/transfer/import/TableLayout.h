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
// The next row of `table` that is not blank; false at the end.
bool nextFilledRow(TableReader& table, QStringList& cells);
