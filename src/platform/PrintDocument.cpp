#include "platform/PrintDocument.h"

void PrintDocument::startLine() {
  if (m_job.pages.isEmpty()) {
    // A job keeps the font that was set when its first line was printed.
    m_job.fontName = m_fontName;
    m_job.fontSize = m_fontSize;
    m_job.spreadOverSheet = m_spread;
  }
  if (m_job.pages.isEmpty() || m_pageBreakPending) {
    m_job.pages.append(QStringList());
    m_pageBreakPending = false;
    m_lineOpen = false;
  }
  if (!m_lineOpen) {
    m_job.pages.last().append(QString());
    m_lineOpen = true;
  }
}

void PrintDocument::printLine(const QString& text) {
  startLine();
  m_job.pages.last().last() += text;
  m_lineOpen = false;
}

void PrintDocument::printText(const QString& text) {
  startLine();
  m_job.pages.last().last() += text;
}

void PrintDocument::newPage() {
  if (!m_job.pages.isEmpty()) m_pageBreakPending = true;
}

void PrintDocument::endDoc() {
  m_pageBreakPending = false;
  m_lineOpen = false;
  m_spread = false;
  if (m_job.pages.isEmpty()) return;
  PrintJob job = std::move(m_job);
  m_job = PrintJob();
  m_sink.send(job);
}

DrawingResult PrintDocument::printDrawing(const DrawingJob& job) {
  if (job.pages <= 0) return {};
  return m_sink.sendDrawing(job);
}
