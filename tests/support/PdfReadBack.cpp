#include "support/PdfReadBack.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace pdfreadback {

namespace {

QByteArray run(const QString& program, const QStringList& arguments) {
  QProcess tool;
  tool.start(program, arguments);
  if (!tool.waitForFinished(120000) || tool.exitStatus() != QProcess::NormalExit) return {};
  return tool.readAllStandardOutput();
}

QString rendered(const QString& pdf, int page, const QTemporaryDir& dir) {
  const QString base = dir.filePath(u"page"_s);
  const QString n = QString::number(page);
  run(u"pdftoppm"_s, {u"-r"_s, QString::number(kDpi), u"-gray"_s, u"-f"_s, n, u"-l"_s, n, u"-singlefile"_s, pdf, base});
  return base + u".pgm"_s;
}

}  // namespace

QImage page(const QString& pdf, int page) {
  const QTemporaryDir dir;
  return QImage(rendered(pdf, page, dir));
}

QStringList barcodes(const QString& pdf, int page) {
  const QTemporaryDir dir;
  const QString image = rendered(pdf, page, dir);
  QStringList codes = QString::fromUtf8(run(u"zbarimg"_s, {u"--quiet"_s, u"--raw"_s, image})).split(u'\n');
  codes.removeAll(QString());
  return codes;
}

QList<Word> words(const QString& pdf) {
  QList<Word> out;
  QXmlStreamReader xml(run(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s}));
  int page = 0;
  constexpr qreal kMmPerPoint = 25.4 / 72;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"page"_s) ++page;
    if (xml.name() != u"word"_s) continue;
    const QXmlStreamAttributes a = xml.attributes();
    const QPointF topLeft(a.value(u"xMin"_s).toDouble(), a.value(u"yMin"_s).toDouble());
    const QPointF bottomRight(a.value(u"xMax"_s).toDouble(), a.value(u"yMax"_s).toDouble());
    out.append(Word{page, xml.readElementText(), QRectF(topLeft * kMmPerPoint, bottomRight * kMmPerPoint)});
  }
  return out;
}

}  // namespace pdfreadback
