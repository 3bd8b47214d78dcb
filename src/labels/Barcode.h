#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

// A Code 128 symbol as bars, in module widths: bar x and width in modules,
// every bar the symbol's full height. Encoded by the zint library.
struct Barcode {
  QList<QRectF> bars;  // height 1: the caller stretches it
  qreal modules = 0;   // the symbol's width without its quiet zones
  QString error;       // why nothing was encoded, empty when it was
};

Barcode code128(const QString& text);

// The quiet zone each side of a Code 128 symbol, in modules.
constexpr qreal kQuietModules = 10;

// Draws the symbol's bars in `area` (its quiet zones inside it), as filled
// rectangles in the painter's units; the bars are as tall as the area.
void drawBarcode(QPainter& painter, const QRectF& area, const Barcode& code);
