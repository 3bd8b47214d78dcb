#include "platform/system/SystemLauncher.h"

#include <QFileInfo>
#include <QProcess>

bool SystemLauncher::start(const QString& path) { return !path.isEmpty() && QProcess::startDetached(path, {}); }

bool SystemLauncher::fileExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }
