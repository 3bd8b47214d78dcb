#include "transfer/import/TableLayout.h"

#include <QRegularExpression>
#include <algorithm>

#include "transfer/table/TableColumns.h"
#include "transfer/table/TableReader.h"

using namespace Qt::StringLiterals;

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

namespace {

// Lower case without accents, as the words of a totals row are matched.
QString folded(const QString& text) {
  QString plain;
  for (const QChar c : text.trimmed().toLower().normalized(QString::NormalizationForm_D))
    if (!c.isMark()) plain += c == u'ς' ? u'σ' : c;
  return plain;
}

bool isNumber(const QString& text) {
  static const QRegularExpression number(u"^[-+]?[0-9][0-9., ]*$"_s);
  return number.match(text.trimmed()).hasMatch();
}

}  // namespace

QString joinedCells(const QStringList& cells, int field) {
  QString joined;
  for (const QString& cell : cells) {
    if (isBlankCell(cell)) continue;
    if (joined.isEmpty()) {
      joined = cell;
      continue;
    }
    while (joined.endsWith(u' ')) joined.chop(1);
    joined += columnJoiner(field) + cell.trimmed();
  }
  return joined;
}

bool looksLikeTotals(const QStringList& cells, const QStringList* above) {
  QList<qsizetype> filled;
  for (qsizetype c = 0; c < cells.size(); ++c)
    if (!isBlankCell(cells[c])) filled.append(c);
  if (filled.isEmpty() || filled.size() > 2) return false;
  for (const qsizetype c : filled) {
    const QString words = folded(cells[c]);
    for (const QString& start : {u"συνολο"_s, u"συνολα"_s, u"γενικο συνολο"_s, u"σημειωση"_s})
      if (words.startsWith(start)) return true;
  }
  if (!above || filled.size() != 2 || isNumber(cells[filled[0]]) == isNumber(cells[filled[1]])) return false;
  QList<qsizetype> filledAbove;
  for (qsizetype c = 0; c < above->size(); ++c)
    if (!isBlankCell((*above)[c])) filledAbove.append(c);
  return filledAbove != filled;
}

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
