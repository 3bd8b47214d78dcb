#include "platform/system/QtPrintSink.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/system/TrueSizePages.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kDefaultPointSize = 12;
constexpr int kMaxFilesPerSecond = 999;

bool holdsGreek(const QString& family) { return QFontDatabase::writingSystems(family).contains(QFontDatabase::Greek); }

// Courier itself rarely holds Greek; these faces have its fixed pitch and do.
QString fixedGreekFamily() {
  const QStringList candidates = {u"Courier New"_s, u"Liberation Mono"_s, u"DejaVu Sans Mono"_s, u"FreeMono"_s};
  for (const QString& family : candidates)
    if (QFontDatabase::hasFamily(family) && holdsGreek(family)) return family;
  return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

// The distance between the lines of a page: the font's line spacing, or
// less where that keeps the page on one sheet (or, spread, exactly what
// fills the sheet), but never less than the font's height, so that no line
// touches the next.
qreal lineStep(const QFontMetricsF& metrics, qreal sheetHeight, qsizetype lines, bool spread) {
  const qreal spacing = metrics.lineSpacing();
  if (lines < 2) return spacing;
  const qreal fitting = (sheetHeight - metrics.height()) / qreal(lines - 1);
  return qMax(metrics.height(), spread ? fitting : qMin(spacing, fitting));
}

// Each page starts a sheet; a line that does not fit on the sheet goes on a
// new one, as a printer does.
bool render(QPrinter& printer, const PrintJob& job) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QFont font = QtPrintSink::fontFor(job);
  painter.setFont(font);
  const QFontMetricsF metrics(font, &printer);
  const qreal sheetHeight = painter.window().height();
  for (qsizetype p = 0; p < job.pages.size(); ++p) {
    if (p > 0 && !printer.newPage()) return false;
    const QStringList& lines = job.pages[p];
    const qreal step = lineStep(metrics, sheetHeight, lines.size(), job.spreadOverSheet);
    // A spread page's last line ends at the foot by construction, but for rounding.
    const qreal slack = job.spreadOverSheet ? step / 2 : 0;
    qreal top = 0;
    for (const QString& line : lines) {
      if (top > 0 && top + metrics.height() > sheetHeight + slack) {
        if (!printer.newPage()) return false;
        top = 0;
      }
      painter.drawText(QPointF(0, top + metrics.ascent()), line);
      top += step;
    }
  }
  return painter.end();
}

}  // namespace

QtPrintSink::QtPrintSink(Dialogs& dialogs, const Clock& clock, QString title, Destination destination,
                         QString pdfDirectory)
    : m_dialogs(dialogs),
      m_clock(clock),
      m_title(std::move(title)),
      m_destination(destination),
      m_pdfDirectory(std::move(pdfDirectory)) {}

QFont QtPrintSink::fontFor(const PrintJob& job) {
  const bool courier = job.fontName.isEmpty() || job.fontName.compare(u"courier"_s, Qt::CaseInsensitive) == 0;
  const bool installed = !courier && QFontDatabase::hasFamily(job.fontName);
  QFont font(installed ? job.fontName : fixedGreekFamily());
  if (!installed) {
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
  }
  font.setPointSize(job.fontSize > 0 ? job.fontSize : kDefaultPointSize);
  return font;
}

void QtPrintSink::send(const PrintJob& job) {
  sendTo([&job](QPrinter& printer) { return render(printer, job) ? DrawOutcome::Drawn : DrawOutcome::Refused; });
}

DrawingResult QtPrintSink::sendDrawing(const DrawingJob& job) {
  sendTo([&job](QPrinter& printer) {
    printer.setFullPage(true);
    return drawPagesAtTrueSize(printer, job);
  });
  return {m_done, m_stopped, m_lastPdf};
}

void QtPrintSink::sendTo(const Render& render) {
  m_lastPdf.clear();
  m_done = false;
  m_stopped = false;
  const bool usePrinter = m_destination == Destination::DefaultPrinterOrPdf && !QPrinterInfo::defaultPrinter().isNull();
  if (usePrinter)
    toPrinter(render);
  else
    toPdf(render);
}

void QtPrintSink::toPrinter(const Render& render) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  QPrinter printer(info, QPrinter::HighResolution);
  printer.setDocName(u"Zelkor"_s);
  const DrawOutcome outcome = printer.isValid() ? render(printer) : DrawOutcome::Refused;
  m_done = outcome == DrawOutcome::Drawn;
  m_stopped = outcome == DrawOutcome::Stopped;
  if (m_stopped) printer.abort();
  if (outcome != DrawOutcome::Refused) return;
  report(u"Η εκτύπωση δεν έγινε: ο εκτυπωτής «%1» δεν δέχτηκε την εργασία."_s.arg(info.printerName()));
}

void QtPrintSink::toPdf(const Render& render) {
  QString failedPath;
  const QString path = reservePdfName(&failedPath);
  if (path.isEmpty()) {
    report(u"Η εκτύπωση δεν έγινε: το αρχείο «%1» δεν μπορεί να γραφτεί."_s.arg(QDir::toNativeSeparators(failedPath)));
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setDocName(u"Zelkor"_s);
  printer.setCreator(u"Zelkor"_s);
  const DrawOutcome outcome = render(printer);
  if (outcome == DrawOutcome::Drawn && QFile(path).size() > 0) {
    m_lastPdf = path;
    m_done = true;
    return;
  }
  QFile::remove(path);
  m_stopped = outcome == DrawOutcome::Stopped;
  if (m_stopped) return;
  report(u"Η εκτύπωση δεν έγινε: το αρχείο «%1» δεν μπορεί να γραφτεί."_s.arg(QDir::toNativeSeparators(path)));
}

// Creates the job's file empty, so that no other job or program takes the
// same name; the names carry the time and a number within the second.
QString QtPrintSink::reservePdfName(QString* failedPath) {
  const QDir dir(m_pdfDirectory.isEmpty() ? QDir::currentPath() : m_pdfDirectory);
  const QString stamp = m_clock.now().toString(u"yyyyMMdd-HHmmss"_s);
  for (int n = 1; n <= kMaxFilesPerSecond; ++n) {
    const QString path = dir.filePath(u"Zelkor-%1-%2.pdf"_s.arg(stamp).arg(n, 3, 10, QChar(u'0')));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return path;
    *failedPath = path;
    if (!file.exists()) return QString();
  }
  return QString();
}

void QtPrintSink::report(const QString& text) { m_dialogs.notice(text, m_title, Dialogs::Icon::Exclamation); }
