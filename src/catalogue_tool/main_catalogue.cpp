#include <QCoreApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>

#include "catalogue_tool/CatalogueTool.h"
#include "catalogue_tool/LabelsCommand.h"
#include "locale/GreekQtTexts.h"
#include "locale/NumberLocale.h"
#include "transfer/import/Import.h"

namespace {

// Qt's own warnings are English and meant for developers: every message the
// librarian should see is the tool's own, in Greek.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) std::fputs(qPrintable(message), stderr);
}

// Ctrl+C, a closed terminal or a polite kill during an import's writing
// undoes what it wrote; at any other moment the signal ends the tool at once.
extern "C" void onStopSignal(int signal) {
  if (interruptImport(signal)) return;
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
  // A file that reaches the size limit fails its write with a message instead of ending the tool.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  std::signal(SIGINT, onStopSignal);
  std::signal(SIGTERM, onStopSignal);
#ifdef SIGHUP
  std::signal(SIGHUP, onStopSignal);
#endif
  qInstallMessageHandler(quietQtMessages);
  const std::unique_ptr<QCoreApplication> app = makeToolApplication(argc, argv);
  keepNumbersInCLocale();
  installGreekQtTexts(*app);
  QTextStream out(stdout);
  QTextStream err(stderr);
  const int status = runCatalogueTool(QCoreApplication::arguments(), out, err);
  // Ended by the signal as it would have been, once the catalogue is put back.
  if (const int signal = importInterruptedBy(); signal != 0) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
  }
  return status;
}
