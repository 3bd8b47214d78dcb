#include "platform/system/SystemSettings.h"

using namespace Qt::StringLiterals;

namespace {
const QString kForgiving = u"search/forgiving"_s;
const QString kSchoolName = u"school/name"_s;
}  // namespace

SystemSettings::SystemSettings()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, u"Lomira"_s, u"Lomira"_s) {}

bool SystemSettings::forgivingSearch() const {
  // Anything but "true" (or the registry's 1) leaves the search exact.
  const QString value = m_settings.value(kForgiving).toString().trimmed();
  return value.compare(u"true"_s, Qt::CaseInsensitive) == 0 || value == u"1"_s;
}

// A choice holds for the run in the reading object; whether it was kept is
// asked of a user-scope object of its own, since the reading one keeps the
// first error it ever met, such as a typo in the system-wide file.
bool SystemSettings::setForgivingSearch(bool on) { return keep(kForgiving, on); }

QString SystemSettings::schoolName() const { return m_settings.value(kSchoolName).toString().trimmed(); }

bool SystemSettings::setSchoolName(const QString& name) { return keep(kSchoolName, name); }

bool SystemSettings::keep(const QString& key, const QVariant& value) {
  m_settings.setValue(key, value);
  QSettings user(m_settings.format(), QSettings::UserScope, m_settings.organizationName(),
                 m_settings.applicationName());
  user.setFallbacksEnabled(false);
  user.setValue(key, value);
  user.sync();
  return user.status() == QSettings::NoError;
}
