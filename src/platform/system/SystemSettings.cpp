#include "platform/system/SystemSettings.h"

using namespace Qt::StringLiterals;

namespace {
const QString kForgiving = u"search/forgiving"_s;
const QString kSchoolName = u"school/name"_s;
const QString kOffsetX = u"labels/offsetX"_s;
const QString kOffsetY = u"labels/offsetY"_s;
const QString kLastCode = u"labels/lastCode"_s;

// A number that does not read as one counts as none.
qreal millimetres(const QVariant& value) {
  bool ok = false;
  const qreal mm = value.toString().trimmed().toDouble(&ok);
  return ok && qIsFinite(mm) ? mm : 0;
}
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
bool SystemSettings::setForgivingSearch(bool on) { return keep({{kForgiving, on}}); }

QString SystemSettings::schoolName() const { return m_settings.value(kSchoolName).toString().trimmed(); }

bool SystemSettings::setSchoolName(const QString& name) { return keep({{kSchoolName, name}}); }

QPointF SystemSettings::labelOffset() const {
  return QPointF(millimetres(m_settings.value(kOffsetX)), millimetres(m_settings.value(kOffsetY)));
}

bool SystemSettings::setLabelOffset(QPointF mm) {
  return keep({{kOffsetX, QString::number(mm.x())}, {kOffsetY, QString::number(mm.y())}});
}

qint32 SystemSettings::lastLabelCode() const {
  bool ok = false;
  const qint32 code = m_settings.value(kLastCode).toString().toInt(&ok);
  return ok && code > 0 ? code : 0;
}

bool SystemSettings::setLastLabelCode(qint32 code) { return keep({{kLastCode, code}}); }

bool SystemSettings::keep(const QList<std::pair<QString, QVariant>>& values) {
  for (const auto& [key, value] : values) m_settings.setValue(key, value);
  QSettings user(m_settings.format(), QSettings::UserScope, m_settings.organizationName(),
                 m_settings.applicationName());
  user.setFallbacksEnabled(false);
  for (const auto& [key, value] : values) user.setValue(key, value);
  user.sync();
  return user.status() == QSettings::NoError;
}
