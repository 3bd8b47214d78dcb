#include "platform/SystemSettings.h"

using namespace Qt::StringLiterals;

namespace {
const QString kForgiving = u"search/forgiving"_s;
}

SystemSettings::SystemSettings()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, u"Lomira"_s, u"Lomira"_s) {}

bool SystemSettings::forgivingSearch() const {
  // Anything but "true" (or the registry's 1) leaves the search exact.
  const QString value = m_settings.value(kForgiving).toString().trimmed();
  return value.compare(u"true"_s, Qt::CaseInsensitive) == 0 || value == u"1"_s;
}

// The choice holds for the run in the reading object; whether it was kept is
// asked of a user-scope object of its own, since the reading one keeps the
// first error it ever met, such as a typo in the system-wide file.
bool SystemSettings::setForgivingSearch(bool on) {
  m_settings.setValue(kForgiving, on);
  QSettings user(m_settings.format(), QSettings::UserScope, m_settings.organizationName(),
                 m_settings.applicationName());
  user.setFallbacksEnabled(false);
  user.setValue(kForgiving, on);
  user.sync();
  return user.status() == QSettings::NoError;
}
