#include "platform/keys/KeyRoute.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/keys/MenuKeys.h"

KeyRoute::KeyRoute(QWidget& window, Listener listener)
    : QObject(&window), m_window(window), m_listener(std::move(listener)) {
  qApp->installEventFilter(this);
}

KeyRoute::~KeyRoute() { qApp->removeEventFilter(this); }

// A key press travels from the focused control up through its parents; the
// window hears it once, for the control the key was meant for. While the menu
// bar holds the focus (after F10 or a tap of Alt) its keys are its own.
bool KeyRoute::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !m_window.isVisible() || !watched->isWidgetType()) return false;
  if (menuBarHoldsKeys(m_window)) return false;
  QWidget* focus = m_window.focusWidget();
  if (watched == (focus ? focus : &m_window)) m_listener(toVirtualKey(*static_cast<QKeyEvent*>(event)));
  return false;
}
