#include "transfer/import/TableLayout.h"

#include <algorithm>

#include "transfer/table/TableColumns.h"
#include "transfer/table/TableReader.h"

bool isBlankCell(const QString& text) {
  for (const QChar c : text) {
    // Below U+1680 only the ASCII blanks, U+0085 and U+00A0 are spaces.
    const char16_t u = c.unicode();
    if (u > u' ' && u < 0x1680 && u != 0x85 && u != 0xA0) return false;
    if (u != u' ' && !c.isSpace()) return false;
  }
  return true;
}

bool isBlankRow(const QStringList& cells) { return std::all_of(cells.begin(), cells.end(), isBlankCell); }

bool nextFilledRow(TableReader& table, QStringList& cells) {
  while (table.next(cells))
    if (!isBlankRow(cells)) return true;
  return false;
}

TableLayout tableLayout(const QStringList& firstRow, const ImportOptions& options) {
  TableLayout layout;
  QList<int> named;
  for (const QString& cell : firstRow) {
    const int field = isBlankCell(cell) ? kNoColumn : columnField(cell.trimmed());
    if (field != kNoColumn) layout.namesAny = true;
    if (field == kNoColumn && !isBlankCell(cell)) layout.unknown.append(cell.trimmed());
    named.append(field);
  }
  if (!options.columns.isEmpty()) {
    layout.columns = options.columns;
    layout.headerRow = options.firstRow == FirstRow::Header ||
                       (options.firstRow == FirstRow::Auto && layout.namesAny && layout.unknown.isEmpty());
    return layout;
  }
  // Blank header cells at the end are no columns; one between names is left out.
  while (!named.isEmpty() && named.last() == kNoColumn) named.removeLast();
  layout.columns = named;
  layout.headerRow = true;
  return layout;
}
