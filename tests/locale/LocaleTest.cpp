#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <clocale>
#include <cstdio>

#include "locale/GreekQtTexts.h"
#include "locale/NumberLocale.h"

using namespace Qt::StringLiterals;

// The translation is built into the library: a program linking it alone
// (no translation files beside it) gets Qt's own texts in Greek.
TEST(GreekQtTexts, QtsOwnTextsComeInGreekFromTheBuiltInTranslation) {
  ASSERT_TRUE(installGreekQtTexts(*QCoreApplication::instance()));
  EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), u"&Αναίρεση"_s);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Άκυρο"_s);
  for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(t);
    delete t;
  }
  EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), u"&Undo"_s);
}

#ifndef _WIN32  // the C library's locales are made by localedef
// A Greek user's locale writes decimal commas into what the C library
// formats (libxlsxwriter's widths and margins); the programs keep the point.
TEST(NumberLocale, NumbersKeepTheirPointUnderAGreekLocale) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  ASSERT_EQ(
      QProcess::execute(u"localedef"_s, {u"-i"_s, u"el_GR"_s, u"-f"_s, u"UTF-8"_s, folder.filePath(u"el_GR.UTF-8"_s)}),
      0)
      << "localedef cannot make el_GR.UTF-8 (install the Debian package locales)";
  const QByteArray before = qgetenv("LOCPATH");
  qputenv("LOCPATH", QFile::encodeName(folder.path()));
  ASSERT_NE(std::setlocale(LC_NUMERIC, "el_GR.UTF-8"), nullptr);
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", 8.43);
  EXPECT_STREQ(text, "8,43");  // the Greek locale is in force
  keepNumbersInCLocale();
  std::snprintf(text, sizeof text, "%.2f", 8.43);
  EXPECT_STREQ(text, "8.43");
  if (before.isNull())
    qunsetenv("LOCPATH");
  else
    qputenv("LOCPATH", before);
}
#endif
