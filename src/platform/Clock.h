#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The time of day, behind a seam so that tests print at a fixed moment.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
 public:
  QDateTime now() const override;
};

// "d/m/yyyy" and "hh:mm" with the locale's own date and time separators.
QString printedDate(const QDate& date, const QLocale& locale = QLocale::system());
QString printedTime(const QTime& time, const QLocale& locale = QLocale::system());
