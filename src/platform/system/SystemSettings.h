#pragma once

#include <QSettings>

#include "platform/Settings.h"

// The settings of organization and application "Lomira" in the system's
// native format (an ini file under ~/.config on Linux, the registry on
// Windows). A user's own choice wins; where the user has made none, the
// system-wide file (/etc/xdg/Lomira/Lomira.conf on Linux) decides, so a
// technician can set a whole computer room at once. The key
// search/forgiving reads "true" or "false"; school/name holds the school's
// name for the reminder slips.
class SystemSettings : public Settings {
 public:
  SystemSettings();
  bool forgivingSearch() const override;
  bool setForgivingSearch(bool on) override;
  QString schoolName() const override;
  bool setSchoolName(const QString& name) override;

 private:
  bool keep(const QString& key, const QVariant& value);
  QSettings m_settings;
};
