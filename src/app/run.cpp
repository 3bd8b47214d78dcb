#include "app/run.h"

#include <QApplication>
#include <QIcon>
#include <csignal>

#include "LomiraVersion.h"
#include "app/Application.h"
#include "locale/GreekQtTexts.h"
#include "locale/NumberLocale.h"
#include "platform/system/SystemPlatform.h"

using namespace Qt::StringLiterals;

int runProgram(int argc, char** argv, const Edition& edition, CatalogueExporter* exporter, CatalogueImporter* importer,
               LoansLister* loans, LabelPrinter* labels) {
#ifdef SIGXFSZ
  // Past a file-size limit a write then fails with EFBIG and is reported and
  // undone like a full disk, instead of killing the program mid-record.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  QApplication qapp(argc, argv);
  keepNumbersInCLocale();
  installGreekQtTexts(qapp);
  QApplication::setApplicationName(edition.executableName());
  QApplication::setApplicationVersion(
      u"%1.%2.%3"_s.arg(lomira::kVersionMajor).arg(lomira::kVersionMinor).arg(lomira::kVersionPatch));
  QApplication::setWindowIcon(QIcon(u":/lomira.png"_s));
  SystemPlatform system(edition.productTitle());
  Platform platform = system.platform();
  platform.exporter = exporter;
  platform.importer = importer;
  platform.loans = loans;
  platform.labels = labels;
  Application app(platform, edition);
  if (!app.start()) return 1;
  return QApplication::exec();
}
