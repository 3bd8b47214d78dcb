#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>

// A sheet of labels, every length in millimetres from the page's top left
// corner: the page, the first label's corner, the label's size, the gaps
// between labels and the grid.
struct LabelSheet {
  QString name;  // the name the tool takes, e.g. "L7160"; empty for a custom sheet
  QString description;
  QSizeF page{210.0, 297.0};
  qreal left = 0;
  qreal top = 0;
  QSizeF label;
  qreal gapX = 0;
  qreal gapY = 0;
  int columns = 1;
  int rows = 1;

  int perSheet() const { return columns * rows; }
  // Label `index` (0 is the top left one, then along the row) where the
  // sheet's measurements put it, moved by `offset`.
  QRectF labelRect(int index, QPointF offset = {}) const;
  // Empty when the grid fits on the page; else what is wrong, in Greek.
  QString problem() const;
};

// The common A4 sheets.
const QList<LabelSheet>& labelSheets();
std::optional<LabelSheet> labelSheetNamed(const QString& name);

// The first free label of a part-used sheet, counted from 1 as a person
// counts; its index on the sheet, or -1 when it is not on it.
int startIndex(const LabelSheet& sheet, int row, int column);
