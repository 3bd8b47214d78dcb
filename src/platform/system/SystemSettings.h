#pragma once

#include <QSettings>

#include "platform/Settings.h"

// The settings of organization and application "Lomira" in the system's
// native format (an ini file under ~/.config on Linux, the registry on
// Windows). A user's own choice wins; where the user has made none, the
// system-wide file (/etc/xdg/Lomira/Lomira.conf on Linux) decides, so a
// technician can set a whole computer room at once. The key
// search/forgiving reads "true" or "false"; school/name holds the school's
// name for the reminder slips and the labels; labels/offsetX, labels/offsetY
// (millimetres) and labels/lastCode keep the labels' choices.
class SystemSettings : public Settings {
 public:
  SystemSettings();
  bool forgivingSearch() const override;
  bool setForgivingSearch(bool on) override;
  QString schoolName() const override;
  bool setSchoolName(const QString& name) override;
  QPointF labelOffset() const override;
  bool setLabelOffset(QPointF millimetres) override;
  qint32 lastLabelCode() const override;
  bool setLastLabelCode(qint32 code) override;

 private:
  bool keep(const QList<std::pair<QString, QVariant>>& values);

  QSettings m_settings;
};
