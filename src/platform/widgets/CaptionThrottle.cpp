#include "platform/widgets/CaptionThrottle.h"

#include <QWidget>

#include "platform/Clock.h"

CaptionThrottle::CaptionThrottle(QWidget& window, const Clock& clock) : m_window(window), m_clock(clock) {}

qint64 CaptionThrottle::now() const { return m_clock.steadyMs(); }

const QString& CaptionThrottle::text() const {
  if (m_make) {
    m_text = m_make();
    m_make = nullptr;
  }
  return m_text;
}

void CaptionThrottle::set(const QString& text) {
  m_make = nullptr;
  m_text = text;
  m_pending = true;
  flush();
}

void CaptionThrottle::setThrottled(const QString& text) {
  m_make = nullptr;
  m_text = text;
  pushIfDue();
}

void CaptionThrottle::setThrottled(Maker make) {
  m_make = std::move(make);
  pushIfDue();
}

void CaptionThrottle::pushIfDue() {
  m_pending = true;
  if (!m_pushed || (++m_calls % kClockEvery == 0 && now() - m_lastPush >= kIntervalMs)) flush();
}

void CaptionThrottle::flush() {
  if (!m_pending) return;
  m_pending = false;
  m_window.setWindowTitle(text());
  m_pushed = true;
  m_lastPush = now();
}
