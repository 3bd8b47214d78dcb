#include "platform/keys/TypeAhead.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#if __has_include(<xcb/xcb.h>) && defined(Q_OS_LINUX)
#define LOMIRA_TYPE_AHEAD_XCB 1
#include <xcb/xcb.h>

#include <QGuiApplication>
#endif

namespace {

#ifdef LOMIRA_TYPE_AHEAD_XCB
xcb_connection_t* x11Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}
#endif

}  // namespace

TypeAhead::TypeAhead(QWidget& box) : m_box(&box) {
#ifdef LOMIRA_TYPE_AHEAD_XCB
  if (!x11Connection()) return;
  QCoreApplication::instance()->installNativeEventFilter(this);
  box.installEventFilter(this);
#endif
}

TypeAhead::~TypeAhead() { QCoreApplication::instance()->removeNativeEventFilter(this); }

bool TypeAhead::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_box && event->type() == QEvent::WindowActivate) {
    m_active = true;
    sendHeld();
  }
  return false;
}

bool TypeAhead::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifdef LOMIRA_TYPE_AHEAD_XCB
  if (eventType != "xcb_generic_event_t" || !m_box) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const bool sentOn = event->response_type & 0x80;
  const uint8_t kind = event->response_type & 0x7F;
  if (sentOn || (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE)) return false;
  if (m_active && !m_reordering) return false;
  m_held.append(QByteArray(static_cast<const char*>(message), sizeof(xcb_key_press_event_t)));
  m_reordering = true;
  if (m_active) sendHeld();
  return true;
#else
  Q_UNUSED(eventType);
  Q_UNUSED(message);
  return false;
#endif
}

void TypeAhead::sendHeld() {
#ifdef LOMIRA_TYPE_AHEAD_XCB
  xcb_connection_t* connection = x11Connection();
  if (!connection || !m_box) return;
  const auto window = xcb_window_t(m_box->winId());
  for (QByteArray& bytes : m_held) {
    auto* key = reinterpret_cast<xcb_key_press_event_t*>(bytes.data());
    key->event = window;
    key->child = XCB_NONE;
    xcb_send_event(connection, false, window, XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE, bytes.constData());
  }
  m_held.clear();
  xcb_flush(connection);
#endif
}
