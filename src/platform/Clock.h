#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <QString>

// The program's one clock, behind a seam so that tests print at a fixed
// moment and step the time the caption throttle sees.
class Clock {
 public:
  virtual ~Clock() = default;
  // The time of day.
  virtual QDateTime now() const = 0;
  // Milliseconds since any fixed moment, never going back.
  virtual qint64 steadyMs() const = 0;
};

class SystemClock : public Clock {
 public:
  SystemClock() { m_steady.start(); }
  QDateTime now() const override;
  qint64 steadyMs() const override { return m_steady.elapsed(); }

 private:
  QElapsedTimer m_steady;
};

// "d/m/yyyy" and "hh:mm" with the locale's own date and time separators.
QString printedDate(const QDate& date, const QLocale& locale = QLocale::system());
QString printedTime(const QTime& time, const QLocale& locale = QLocale::system());
// Both, as the printed headings show a moment: "d/m/yyyy, hh:mm".
QString printedMoment(const QDateTime& moment, const QLocale& locale = QLocale::system());
