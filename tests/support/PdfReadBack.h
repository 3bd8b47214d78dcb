#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// A PDF read back by outside tools, as a person's eyes and a scanner would:
// poppler renders it, zbar decodes its barcodes.
namespace pdfreadback {

constexpr int kDpi = 300;

// Page `page` (from 1) rendered in grey at kDpi; null when pdftoppm failed.
QImage page(const QString& pdf, int page);
// Every barcode zbarimg finds on the page rendered at kDpi, as its text.
QStringList barcodes(const QString& pdf, int page);

struct Word {
  int page;  // from 1
  QString text;
  QRectF mm;  // from the page's top left corner
};
// Every word with its box, as pdftotext finds them.
QList<Word> words(const QString& pdf);

inline qreal pixelsToMm(qreal pixels) { return pixels * 25.4 / kDpi; }
inline qreal mmToPixels(qreal mm) { return mm * kDpi / 25.4; }

}  // namespace pdfreadback
