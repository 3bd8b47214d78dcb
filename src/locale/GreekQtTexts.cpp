#include "locale/GreekQtTexts.h"

#include <QCoreApplication>
#include <QTranslator>

using namespace Qt::StringLiterals;

bool installGreekQtTexts(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (translator->load(u":/i18n/qtbase_el.qm"_s) && QCoreApplication::installTranslator(translator)) return true;
  delete translator;
  return false;
}
