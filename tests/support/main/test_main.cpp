#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The offscreen platform says so each time a window is raised or sized;
// everything else goes through as usual.
QtMessageHandler defaultHandler = nullptr;
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  defaultHandler(type, context, message);
}

// Each test process gets a home and XDG folders of its own, so that what one
// run (or a run beside it) leaves in the user's settings never reaches another,
// and a used machine and a new one give the same result.
void useOwnHome(const QTemporaryDir& home) {
  const QString root = home.path();
  const char* const folders[][2] = {{"HOME", ""},
                                    {"XDG_CONFIG_HOME", "/.config"},
                                    {"XDG_DATA_HOME", "/.local/share"},
                                    {"XDG_CACHE_HOME", "/.cache"},
                                    {"XDG_STATE_HOME", "/.local/state"},
                                    {"XDG_RUNTIME_DIR", "/runtime"}};
  for (const auto& [variable, below] : folders) {
    const QString path = root + QLatin1String(below);
    QDir().mkpath(path);
    qputenv(variable, QFile::encodeName(path));
  }
  QFile::setPermissions(root + QLatin1String("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir home;
  if (!home.isValid()) return 2;
  useOwnHome(home);
  // Tests never need a display: every window is drawn offscreen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  defaultHandler = qInstallMessageHandler(quietOffscreen);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
