#include "platform/CaptionThrottle.h"

#include <QWidget>

CaptionThrottle::CaptionThrottle(QWidget& window, TimeSource now) : m_window(window), m_now(std::move(now)) {
  m_steady.start();
}

void CaptionThrottle::set(const QString& text) {
  m_text = text;
  m_pending = true;
  flush();
}

void CaptionThrottle::setThrottled(const QString& text) {
  m_text = text;
  m_pending = true;
  if (!m_pushed || now() - m_lastPush >= kIntervalMs) flush();
}

void CaptionThrottle::flush() {
  if (!m_pending) return;
  m_pending = false;
  m_window.setWindowTitle(m_text);
  m_pushed = true;
  m_lastPush = now();
}
