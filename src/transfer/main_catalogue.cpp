#include <QCoreApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>

#include "locale/GreekQtTexts.h"
#include "transfer/CatalogueTool.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
  // A file that reaches the size limit fails its write with a message instead of ending the tool.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  QCoreApplication app(argc, argv);
  installGreekQtTexts(app);
  QTextStream out(stdout);
  QTextStream err(stderr);
  return runCatalogueTool(app.arguments(), out, err);
}
