#include "labels_window/SheetPreview.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kPreviewHeight = 480;
}

SheetPreview::SheetPreview(Clicked clicked, QWidget* parent) : QWidget(parent), m_clicked(std::move(clicked)) {
  setMinimumSize(kPreviewHeight * 210 / 297, kPreviewHeight);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setObjectName(QStringLiteral("picSheet"));
}

void SheetPreview::show(const LabelLayout& layout, const QList<LabelText>& labels) {
  m_layout = layout;
  m_labels = labels;
  QWidget::update();
}

QTransform SheetPreview::pageToWidget() const {
  const QSizeF page = m_layout.sheet.page;
  const qreal scale = qMin((width() - 2) / page.width(), (height() - 2) / page.height());
  return QTransform::fromTranslate(1, 1).scale(scale, scale);
}

QPoint SheetPreview::labelAt(QPointF point) const {
  const QPointF mm = pageToWidget().inverted().map(point);
  const LabelSheet& sheet = m_layout.sheet;
  for (int i = 0; i < sheet.perSheet(); ++i)
    if (sheet.labelRect(i).contains(mm)) return QPoint(i / sheet.columns + 1, i % sheet.columns + 1);
  return QPoint();
}

void SheetPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setTransform(pageToWidget());
  painter.fillRect(QRectF(QPointF(), m_layout.sheet.page), Qt::white);
  painter.setPen(QPen(Qt::gray, 0));
  // Used labels grey, free ones outlined; the offset is the printer's, not the sheet's.
  for (int i = 0; i < m_layout.sheet.perSheet(); ++i) {
    const QRectF box = m_layout.sheet.labelRect(i);
    if (i < m_layout.start) painter.fillRect(box, Qt::lightGray);
    painter.drawRect(box);
  }
  painter.setPen(Qt::black);
  drawLabelPage(painter, m_layout, m_labels, 0);
}

void SheetPreview::mousePressEvent(QMouseEvent* event) {
  const QPoint label = labelAt(event->position());
  if (!label.isNull()) m_clicked(label.x(), label.y());
}
