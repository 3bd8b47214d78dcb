#include <QByteArray>

#include "help/frmAbout.h"
#include "platform/system/winregistry.h"

using namespace Qt::StringLiterals;

namespace {

constexpr std::uint32_t kBufferSize = 1024;

}  // namespace

bool frmAbout::GetKeyValue(Registry::Key root, const QString& keyName, const QString& valueName, QString& value) {
  Registry& registry = m_platform.registry;
  Registry::Key key = 0;
  bool read = false;
  if (registry.openKey(root, keyName, winregistry::kReadAccess, &key) != 0) {
    value.clear();
  } else {
    QByteArray buffer(kBufferSize, '\0');
    std::uint32_t size = kBufferSize;
    std::uint32_t type = 0;
    if (registry.queryValue(key, valueName, &type, buffer.data(), &size) != 0) {
      value.clear();
    } else {
      QByteArray data = buffer.left(qsizetype(qMin(size, kBufferSize)));
      if (data.endsWith('\0')) data.chop(1);
      if (type == Registry::kTypeString) {
        value = QString::fromLocal8Bit(data);
      } else if (type == Registry::kTypeDword) {
        // The digits go after the caller's text, behind "&h"; two digits a
        // byte, so a zero byte inside the number keeps its place.
        for (qsizetype i = data.size() - 1; i >= 0; --i)
          value += u"%1"_s.arg(quint8(data[i]), 2, 16, QChar(u'0')).toUpper();
        value.prepend(u"&h"_s);
      }
      read = true;
    }
  }
  // Closed even when the open failed, as the registry tolerates.
  registry.closeKey(key);
  return read;
}

void frmAbout::StartSysInfo() {
  const QString infoKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s;
  const QString locationKey = u"SOFTWARE\\Microsoft\\Shared Tools Location"_s;

  QString path;
  bool found = GetKeyValue(Registry::kLocalMachine, infoKey, u"PATH"_s, path);
  if (!found && GetKeyValue(Registry::kLocalMachine, locationKey, u"MSINFO"_s, path)) {
    path += u"\\MSINFO32.EXE"_s;
    found = m_platform.launcher.fileExists(path);
  }
  if (found && m_platform.launcher.start(path)) return;
  m_platform.dialogs.message(u"System Information Is Unavailable At This Time"_s, u"Zelkor"_s, Dialogs::Buttons::Ok,
                             Dialogs::Icon::None, Dialogs::Answer::Ok);
}
