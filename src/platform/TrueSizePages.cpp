#include "platform/TrueSizePages.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

bool drawPagesAtTrueSize(QPagedPaintDevice& device, const DrawingJob& job) {
  const QPageLayout layout(QPageSize(job.pageMm, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF(),
                           QPageLayout::Millimeter);
  if (!device.setPageLayout(layout)) return false;
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const qreal dotsPerMm = device.logicalDpiX() / 25.4;
  for (int p = 0; p < job.pages; ++p) {
    if (p > 0 && !device.newPage()) return false;
    painter.save();
    painter.scale(dotsPerMm, dotsPerMm);
    job.draw(painter, p);
    painter.restore();
  }
  return painter.end();
}
