#pragma once

#include <QFont>
#include <QString>
#include <functional>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/PrintDocument.h"
#include "platform/system/TrueSizePages.h"

class QPrinter;

// Renders finished jobs on paper: on the system's default printer when there
// is one, otherwise into a PDF file in the working directory, one file per
// job, named so that the names sort by time and never replacing an earlier
// file. A job that cannot be printed or written is reported in a box.
class QtPrintSink : public PrintSink {
 public:
  enum class Destination { DefaultPrinterOrPdf, Pdf };

  // `title` heads the box that reports a failed job. An empty `pdfDirectory`
  // means the working directory at the time of printing.
  QtPrintSink(Dialogs& dialogs, const Clock& clock, QString title,
              Destination destination = Destination::DefaultPrinterOrPdf, QString pdfDirectory = QString());

  void send(const PrintJob& job) override;
  DrawingResult sendDrawing(const DrawingJob& job) override;

  // The file the last job was written to; empty when it went to a printer
  // or was not written.
  const QString& lastPdf() const { return m_lastPdf; }

  // The font a job prints in. The face "courier" stands for a fixed-pitch
  // face that holds the Greek letters.
  static QFont fontFor(const PrintJob& job);

 private:
  using Render = std::function<DrawOutcome(QPrinter&)>;
  void sendTo(const Render& render);
  void toPrinter(const Render& render);
  void toPdf(const Render& render);
  QString reservePdfName(QString* failedPath);
  void report(const QString& text);

  Dialogs& m_dialogs;
  const Clock& m_clock;
  QString m_title;
  Destination m_destination;
  QString m_pdfDirectory;
  QString m_lastPdf;
  bool m_done = false;
  bool m_stopped = false;
};
