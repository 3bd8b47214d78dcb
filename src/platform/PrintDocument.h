#pragma once

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>

// One finished print job: pages of lines in one font.
struct PrintJob {
  QString fontName;
  int fontSize = 0;
  QList<QStringList> pages;
  // Each page's lines spread evenly from the top of its sheet to the foot,
  // so that marks at fixed lines fall at fixed places (the reminder slips'
  // cut lines); otherwise they follow at the font's own spacing.
  bool spreadOverSheet = false;
};

class QPainter;

// Pages drawn at their true size, for sheets whose places are measured: the
// painter's units are millimetres from the paper's top left corner, and
// nothing is scaled to fit. `draw` must hold what it draws by value; it
// answers false when the user has stopped the job, which is then dropped.
struct DrawingJob {
  QSizeF pageMm;
  int pages = 0;
  std::function<bool(QPainter& painter, int page)> draw;
};

// What became of a drawing job.
struct DrawingResult {
  bool done = false;     // printed or written; a failure has been reported in a box
  bool stopped = false;  // stopped by the user: nothing printed, no file left
  QString pdf;           // the file it was written to, empty when it went to a printer
};

// Where finished jobs go: the system's printer, a PDF file, or a test's list.
class PrintSink {
 public:
  virtual ~PrintSink() = default;
  virtual void send(const PrintJob& job) = 0;
  virtual DrawingResult sendDrawing(const DrawingJob& job) = 0;
};

// The program's one print document. Lines collect until endDoc() hands them
// to the sink as one job. A new page takes effect only when something is
// printed after it; ending a document with nothing printed sends nothing.
class PrintDocument {
 public:
  explicit PrintDocument(PrintSink& sink) : m_sink(sink) {}

  void setFontName(const QString& name) { m_fontName = name; }
  void setFontSize(int points) { m_fontSize = points; }
  // For the next job only: its lines spread over each sheet.
  void setSpreadOverSheet(bool on) { m_spread = on; }
  // Prints the text and ends the line.
  void printLine(const QString& text = QString());
  // Prints the text and stays on the line.
  void printText(const QString& text);
  void newPage();
  void endDoc();
  // Hands drawn pages straight to the sink, apart from the lines.
  DrawingResult printDrawing(const DrawingJob& job);

  // True while lines have been printed and not yet sent.
  bool isOpen() const { return !m_job.pages.isEmpty(); }

 private:
  void startLine();

  PrintSink& m_sink;
  QString m_fontName;
  int m_fontSize = 12;
  bool m_spread = false;
  PrintJob m_job;
  bool m_pageBreakPending = false;
  bool m_lineOpen = false;
};
