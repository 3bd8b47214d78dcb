#include "platform/CaptionThrottle.h"

#include <QWidget>

void CaptionThrottle::set(const QString& text) {
  m_text = text;
  m_pending = true;
  flush();
}

void CaptionThrottle::setThrottled(const QString& text) {
  m_text = text;
  m_pending = true;
  if (!m_lastPush.isValid() || m_lastPush.elapsed() >= kIntervalMs) flush();
}

void CaptionThrottle::flush() {
  if (!m_pending) return;
  m_pending = false;
  m_window.setWindowTitle(m_text);
  m_lastPush.start();
}
