#include "help/WholeLinesLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {
constexpr double kSmallestPoints = 4.0;
constexpr int kNarrowest = QFont::Condensed;
}  // namespace

QStringList WholeLinesLabel::lines() const { return text().split(QRegularExpression(u"\r?\n"_s)); }

int WholeLinesLabel::lineStep() const {
  const int count = qMax<qsizetype>(1, lines().size());
  return qMin(QFontMetrics(font()).lineSpacing(), contentsRect().height() / count);
}

// A line too wide is first drawn narrower, then smaller, so that a long
// address stays as tall as it can.
QFont WholeLinesLabel::lineFont(const QString& line) const {
  QFont fitted = font();
  const int width = contentsRect().width();
  const int step = lineStep();
  const auto fits = [&] {
    const QFontMetrics metrics(fitted);
    return metrics.horizontalAdvance(line) <= width && metrics.height() <= step;
  };
  for (double points = fitted.pointSizeF(); points > kSmallestPoints; points -= 0.25) {
    fitted.setPointSizeF(points);
    for (int stretch = QFont::Unstretched; stretch >= kNarrowest; stretch -= 5) {
      fitted.setStretch(stretch);
      if (fits()) return fitted;
    }
  }
  return fitted;
}

void WholeLinesLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  const QRect area = contentsRect();
  const int step = lineStep();
  int top = area.top();
  for (const QString& line : lines()) {
    painter.setFont(lineFont(line));
    painter.drawText(QRect(area.left(), top, area.width(), step), Qt::AlignLeft | Qt::AlignVCenter, line);
    top += step;
  }
}
