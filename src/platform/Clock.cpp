#include "platform/Clock.h"

using namespace Qt::StringLiterals;

namespace {

// The first character of a locale format that is not a pattern letter: the
// locale's separator for that format.
QString separatorOf(const QString& format, const QString& fallback) {
  for (QChar c : format)
    if (!c.isLetter() && c != u'\'' && !c.isSpace()) return QString(c);
  return fallback;
}

}  // namespace

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }

QString printedDate(const QDate& date, const QLocale& locale) {
  const QString sep = separatorOf(locale.dateFormat(QLocale::ShortFormat), u"/"_s);
  return QString::number(date.day()) + sep + QString::number(date.month()) + sep +
         QString::number(date.year()).rightJustified(4, u'0');
}

QString printedTime(const QTime& time, const QLocale& locale) {
  const QString sep = separatorOf(locale.timeFormat(QLocale::ShortFormat), u":"_s);
  return QString::number(time.hour()).rightJustified(2, u'0') + sep +
         QString::number(time.minute()).rightJustified(2, u'0');
}

QString printedMoment(const QDateTime& moment, const QLocale& locale) {
  return printedDate(moment.date(), locale) + u", "_s + printedTime(moment.time(), locale);
}
