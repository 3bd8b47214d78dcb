#include "platform/system/TrueSizePages.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

DrawOutcome drawPagesAtTrueSize(QPagedPaintDevice& device, const DrawingJob& job) {
  QPageLayout layout(QPageSize(job.pageMm, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF(),
                     QPageLayout::Millimeter);
  // A printer's own smallest margins do not move the drawing: it starts at the paper's corner.
  layout.setMode(QPageLayout::FullPageMode);
  if (!device.setPageLayout(layout)) return DrawOutcome::Refused;
  QPainter painter;
  if (!painter.begin(&device)) return DrawOutcome::Refused;
  const qreal dotsPerMm = device.logicalDpiX() / 25.4;
  for (int p = 0; p < job.pages; ++p) {
    if (p > 0 && !device.newPage()) return DrawOutcome::Refused;
    painter.save();
    painter.scale(dotsPerMm, dotsPerMm);
    const bool goOn = job.draw(painter, p);
    painter.restore();
    if (!goOn) {
      painter.end();
      return DrawOutcome::Stopped;
    }
  }
  return painter.end() ? DrawOutcome::Drawn : DrawOutcome::Refused;
}
