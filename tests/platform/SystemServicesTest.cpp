#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "platform/system/SystemLauncher.h"
#include "platform/system/SystemPlatform.h"
#include "platform/system/SystemRegistry.h"
#include "support/PrintQString.h"
#include "support/TempCatalogue.h"

using namespace Qt::StringLiterals;

#ifndef Q_OS_WIN
TEST(SystemRegistry, HoldsNoKeysOffWindows) {
  SystemRegistry registry;
  Registry::Key key = 77;
  EXPECT_EQ(registry.openKey(Registry::kLocalMachine, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s, 0x20019, &key),
            2);
  EXPECT_EQ(key, 0u);
  char buffer[16] = {};
  std::uint32_t type = 0, size = sizeof buffer;
  EXPECT_NE(registry.queryValue(key, u"PATH"_s, &type, buffer, &size), 0);
  EXPECT_EQ(registry.closeKey(key), 0);
}
#endif

TEST(SystemLauncher, FileExistsOnlyForNormalFiles) {
  TempCatalogue dir;
  QFile file(dir.dir() + u"/MSINFO32.EXE"_s);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  ASSERT_TRUE(QDir(dir.dir()).mkdir(u"folder"_s));

  SystemLauncher launcher;
  EXPECT_TRUE(launcher.fileExists(dir.dir() + u"/MSINFO32.EXE"_s));
  EXPECT_FALSE(launcher.fileExists(dir.dir() + u"/folder"_s));
  EXPECT_FALSE(launcher.fileExists(dir.dir() + u"/missing.exe"_s));
  EXPECT_FALSE(launcher.fileExists(QString()));
}

TEST(SystemLauncher, StartsAProgramAndFailsOnAMissingOne) {
  SystemLauncher launcher;
  EXPECT_FALSE(launcher.start(u"/no/such/program/MSINFO32.EXE"_s));
  EXPECT_FALSE(launcher.start(QString()));
  const QString program = QStandardPaths::findExecutable(u"true"_s);
  if (program.isEmpty()) GTEST_SKIP() << "no harmless program to start";
  EXPECT_TRUE(launcher.start(program));
}

TEST(SystemPlatform, EndedDocumentReachesPaperOrAPdfInTheWorkingDirectory) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer; nothing is printed";
  TempCatalogue dir;
  SystemPlatform system(u"Σ-Zelkor 3.2"_s);
  Platform platform = system.platform();

  platform.printer.setFontName(u"courier"_s);
  platform.printer.setFontSize(12);
  platform.printer.printLine(u"Εγγραφή"_s);
  EXPECT_TRUE(QDir(dir.dir()).entryList({u"*.pdf"_s}, QDir::Files).isEmpty());
  platform.printer.endDoc();

  const QStringList files = QDir(dir.dir()).entryList({u"*.pdf"_s}, QDir::Files);
  ASSERT_EQ(files.size(), 1);
  EXPECT_TRUE(files[0].startsWith(u"Zelkor-"_s)) << files[0].toStdString();
  EXPECT_GT(QFileInfo(dir.dir() + u"/"_s + files[0]).size(), 0);
}
