#pragma once

#include <QList>
#include <QPointF>

#include "labels/LabelBatch.h"
#include "labels/LabelSheet.h"
#include "platform/PrintDocument.h"

class QPainter;

// Where the labels go: the sheet, the first free label of the first sheet
// (an index from startIndex) and the printer's offset in millimetres (right
// and down).
struct LabelLayout {
  LabelSheet sheet;
  int start = 0;
  QPointF offset;

  // The sheets `count` labels take.
  int pageCount(qsizetype count) const;
  // The page and the place on it of label `i`.
  int pageOf(qsizetype i) const;
  QRectF rectOf(qsizetype i) const;
};

// Page `page` of the labels, drawn with the painter's units in millimetres
// from the page's top left corner.
void drawLabelPage(QPainter& painter, const LabelLayout& layout, const QList<LabelText>& labels, int page);
// One label's content inside `box` (millimetres).
void drawLabel(QPainter& painter, const QRectF& box, const LabelText& label);
// The grid's outlines, each label numbered with its row and column, so a
// librarian holds the print against a sheet and sees how far the printer
// shifts it.
void drawCalibrationPage(QPainter& painter, const LabelLayout& layout);

// The labels' pages, and the calibration page, as jobs for the printer.
DrawingJob labelPagesJob(const LabelLayout& layout, const QList<LabelText>& labels);
DrawingJob calibrationJob(const LabelLayout& layout);
