#include "labels/Barcode.h"

#include <zint.h>

#include <QPainter>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct SymbolDeleter {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

}  // namespace

Barcode code128(const QString& text) {
  Barcode out;
  std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
  if (!symbol) {
    out.error = u"Δεν υπάρχει μνήμη για τον γραμμωτό κώδικα."_s;
    return out;
  }
  symbol->symbology = BARCODE_CODE128;
  symbol->show_hrt = 0;  // the digits are drawn by the label, in its own font
  const QByteArray data = text.toLatin1();
  int status =
      ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()), int(data.size()));
  if (status < ZINT_ERROR) status = ZBarcode_Buffer_Vector(symbol.get(), 0);
  if (status >= ZINT_ERROR || !symbol->vector) {
    out.error = u"Ο γραμμωτός κώδικας του «%1» δεν φτιάχτηκε: %2"_s.arg(text, QString::fromLatin1(symbol->errtxt));
    return out;
  }
  // The vector is drawn at zint's default scale; its bars are whole modules of that size.
  const qreal module = symbol->vector->width / qreal(symbol->width);
  const zint_vector_rect* first = symbol->vector->rectangles;
  const qreal x0 = first ? first->x : 0;
  for (const zint_vector_rect* r = first; r; r = r->next)
    out.bars.append(QRectF((r->x - x0) / module, 0, r->width / module, 1));
  out.modules = symbol->width;
  return out;
}

void drawBarcode(QPainter& painter, const QRectF& area, const Barcode& code) {
  if (code.bars.isEmpty()) return;
  const qreal module = area.width() / (code.modules + 2 * kQuietModules);
  const qreal left = area.left() + kQuietModules * module;
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  for (const QRectF& bar : code.bars)
    painter.drawRect(QRectF(left + bar.x() * module, area.top(), bar.width() * module, area.height()));
  painter.restore();
}
