#include "labels/LabelSheet.h"

using namespace Qt::StringLiterals;

namespace {

// A hair's room for the makers' rounded figures.
constexpr qreal kTolerance = 0.05;

LabelSheet sheet(QString name, QString description, qreal left, qreal top, QSizeF label, qreal gapX, qreal gapY,
                 int columns, int rows) {
  return LabelSheet{
      std::move(name), std::move(description), {210.0, 297.0}, left, top, label, gapX, gapY, columns, rows};
}

}  // namespace

QRectF LabelSheet::labelRect(int index, QPointF offset) const {
  const int row = index / columns;
  const int column = index % columns;
  const QPointF corner(left + column * (label.width() + gapX), top + row * (label.height() + gapY));
  return QRectF(corner + offset, label);
}

QString LabelSheet::problem() const {
  if (columns < 1 || rows < 1) return u"Το φύλλο θέλει τουλάχιστον μία στήλη και μία σειρά ετικετών."_s;
  if (label.width() <= 0 || label.height() <= 0) return u"Η ετικέτα θέλει πλάτος και ύψος."_s;
  if (left < 0 || top < 0 || gapX < 0 || gapY < 0) return u"Τα περιθώρια και τα κενά δεν μπορεί να είναι αρνητικά."_s;
  const QRectF last = labelRect(perSheet() - 1);
  if (last.right() > page.width() + kTolerance || last.bottom() > page.height() + kTolerance)
    return u"Οι ετικέτες βγαίνουν έξω από τη σελίδα (%1 × %2 mm)."_s.arg(page.width()).arg(page.height());
  return QString();
}

const QList<LabelSheet>& labelSheets() {
  static const QList<LabelSheet> sheets = {
      sheet(u"L7160"_s, u"Avery L7160: 63,5 × 38,1 mm, 3 × 7"_s, 7.25, 15.15, {63.5, 38.1}, 2.5, 0, 3, 7),
      sheet(u"3474"_s, u"Avery Zweckform 3474: 70 × 37 mm, 3 × 8"_s, 0, 0.5, {70.0, 37.0}, 0, 0, 3, 8),
      sheet(u"L7651"_s, u"Avery L7651: 38,1 × 21,2 mm, 5 × 13"_s, 4.75, 10.7, {38.1, 21.2}, 2.5, 0, 5, 13),
      sheet(u"L7163"_s, u"Avery L7163 (ράχης, 2 στήλες): 99,1 × 38,1 mm, 2 × 7"_s, 4.65, 15.15, {99.1, 38.1}, 2.5, 0, 2,
            7),
  };
  return sheets;
}

std::optional<LabelSheet> labelSheetNamed(const QString& name) {
  for (const LabelSheet& s : labelSheets())
    if (s.name.compare(name, Qt::CaseInsensitive) == 0) return s;
  return std::nullopt;
}

int startIndex(const LabelSheet& sheet, int row, int column) {
  if (row < 1 || row > sheet.rows || column < 1 || column > sheet.columns) return -1;
  return (row - 1) * sheet.columns + (column - 1);
}
