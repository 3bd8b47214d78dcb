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

bool SystemSettings::setForgivingSearch(bool on) {
  m_settings.setValue(kForgiving, on);
  m_settings.sync();
  return m_settings.status() == QSettings::NoError;
}
