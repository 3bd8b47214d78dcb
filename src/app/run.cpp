#include "app/run.h"

#include <QApplication>
#include <QIcon>

#include "LomiraVersion.h"
#include "app/Application.h"
#include "platform/SystemPlatform.h"

using namespace Qt::StringLiterals;

int runProgram(int argc, char** argv, const Edition& edition) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(edition.executableName());
  QApplication::setApplicationVersion(
      u"%1.%2.%3"_s.arg(lomira::kVersionMajor).arg(lomira::kVersionMinor).arg(lomira::kVersionPatch));
  QApplication::setWindowIcon(QIcon(u":/lomira.png"_s));
  SystemPlatform system(edition.productTitle());
  Application app(system.platform(), edition);
  if (!app.start()) return 1;
  return QApplication::exec();
}
