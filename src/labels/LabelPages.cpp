#include "labels/LabelPages.h"

#include <QFontMetricsF>
#include <QPainter>

#include "labels/Barcode.h"

using namespace Qt::StringLiterals;

namespace {

// Texts are drawn in hundredths of a millimetre, where whole pixel sizes
// give a fine enough choice of heights.
constexpr qreal kTextUnitsPerMm = 100;
// Bars wider than this read no better and only take room.
constexpr qreal kWidestModuleMm = 0.5;
constexpr qreal kOutlineMm = 0.1;

QFont labelFont(qreal heightMm, bool bold) {
  QFont font(u"DejaVu Sans"_s);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(qMax(1, qRound(heightMm * kTextUnitsPerMm)));
  font.setBold(bold);
  return font;
}

// One line of text in `box`, as tall as the box allows; a line wider than
// the box is drawn smaller, down to `narrowest` of its height, and then cut
// with an ellipsis.
void drawLine(QPainter& painter, const QRectF& box, const QString& text, bool bold, Qt::Alignment align,
              qreal narrowest = 1) {
  if (text.isEmpty() || box.width() <= 0 || box.height() <= 0) return;
  painter.save();
  painter.scale(1 / kTextUnitsPerMm, 1 / kTextUnitsPerMm);
  const QRectF r(box.topLeft() * kTextUnitsPerMm, box.size() * kTextUnitsPerMm);
  QFont font = labelFont(box.height() * 0.8, bold);
  const qreal natural = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
  if (natural > r.width()) font = labelFont(box.height() * 0.8 * qMax(narrowest, r.width() / natural), bold);
  painter.setFont(font);
  const QString shown = QFontMetricsF(font, painter.device()).elidedText(text, Qt::ElideRight, r.width());
  painter.drawText(r, int(align | Qt::AlignVCenter), shown);
  painter.restore();
}

}  // namespace

int LabelLayout::pageCount(qsizetype count) const { return count == 0 ? 0 : pageOf(count - 1) + 1; }

int LabelLayout::pageOf(qsizetype i) const { return int((start + i) / sheet.perSheet()); }

QRectF LabelLayout::rectOf(qsizetype i) const { return sheet.labelRect(int((start + i) % sheet.perSheet()), offset); }

// From the top: the spine text, the title, the school (when named), the
// bars and the code's digits under them.
void drawLabel(QPainter& painter, const QRectF& box, const LabelText& label) {
  const qreal pad = qMin(1.5, box.height() * 0.06);
  const QRectF in = box.adjusted(pad, pad, -pad, -pad);
  const qreal h = in.height();
  const QRectF spine(in.left(), in.top(), in.width(), h * 0.24);
  const QRectF title(in.left(), spine.bottom(), in.width(), h * 0.14);
  const QRectF school(in.left(), title.bottom(), in.width(), label.school.isEmpty() ? 0 : h * 0.1);
  const QRectF digits(in.left(), in.bottom() - h * 0.14, in.width(), h * 0.14);
  const qreal barsTop = school.bottom() + h * 0.03;
  const QRectF bars(in.left(), barsTop, in.width(), digits.top() - barsTop);

  drawLine(painter, spine, label.spine.line(), true, Qt::AlignLeft, 0.5);
  drawLine(painter, title, label.title, false, Qt::AlignLeft);
  drawLine(painter, school, label.school, false, Qt::AlignLeft);
  const Barcode code = code128(QString::number(label.code));
  const qreal width = qMin(bars.width(), (code.modules + 2 * kQuietModules) * kWidestModuleMm);
  drawBarcode(painter, QRectF(bars.center().x() - width / 2, bars.top(), width, bars.height()), code);
  drawLine(painter, digits, QString::number(label.code), false, Qt::AlignHCenter);
}

void drawLabelPage(QPainter& painter, const LabelLayout& layout, const QList<LabelText>& labels, int page) {
  for (qsizetype i = 0; i < labels.size(); ++i)
    if (layout.pageOf(i) == page) drawLabel(painter, layout.rectOf(i), labels[i]);
}

void drawCalibrationPage(QPainter& painter, const LabelLayout& layout) {
  painter.save();
  painter.setPen(QPen(Qt::black, kOutlineMm));
  painter.setBrush(Qt::NoBrush);
  const LabelSheet& sheet = layout.sheet;
  for (int i = 0; i < sheet.perSheet(); ++i) {
    const QRectF box = sheet.labelRect(i, layout.offset);
    painter.drawRect(box);
    const QRectF middle(box.left(), box.center().y() - 1.5, box.width(), 3);
    drawLine(painter, middle, u"%1,%2"_s.arg(i / sheet.columns + 1).arg(i % sheet.columns + 1), false,
             Qt::AlignHCenter);
  }
  painter.restore();
}

DrawingJob labelPagesJob(const LabelLayout& layout, const QList<LabelText>& labels) {
  return DrawingJob{layout.sheet.page, layout.pageCount(labels.size()), [layout, labels](QPainter& painter, int page) {
                      drawLabelPage(painter, layout, labels, page);
                      return true;
                    }};
}

DrawingJob calibrationJob(const LabelLayout& layout) {
  return DrawingJob{layout.sheet.page, 1, [layout](QPainter& painter, int) {
                      drawCalibrationPage(painter, layout);
                      return true;
                    }};
}
