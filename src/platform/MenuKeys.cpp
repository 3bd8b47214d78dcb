#include "platform/MenuKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>

#include "platform/Keys.h"

MenuKeys::MenuKeys(QMainWindow& window) : QObject(&window), m_window(window) { qApp->installEventFilter(this); }

bool MenuKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  if (static_cast<QWidget*>(watched)->window() != &m_window || !m_window.isVisible()) return false;
  const auto& key = *static_cast<QKeyEvent*>(event);
  if (key.key() == Qt::Key_F10 && key.modifiers() == Qt::NoModifier) return openMenuBar();
  return triggerAtLatinPosition(key);
}

bool MenuKeys::openMenuBar() {
  QMenuBar* bar = m_window.menuBar();
  for (QAction* menu : bar->actions()) {
    if (menu->isVisible() && menu->isEnabled()) {
      bar->setActiveAction(menu);
      return true;
    }
  }
  return false;
}

bool MenuKeys::triggerAtLatinPosition(const QKeyEvent& key) {
  // A Latin letter has already been matched by Qt's own shortcut map.
  if (key.modifiers() != Qt::ControlModifier || (key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)) return false;
  const VirtualKey position = toVirtualKey(key);
  if (position.code < Qt::Key_A || position.code > Qt::Key_Z) return false;
  const QKeySequence wanted(QKeyCombination(Qt::ControlModifier, Qt::Key(position.code)));
  for (QAction* action : m_window.findChildren<QAction*>()) {
    if (action->shortcut() == wanted && action->isVisible() && action->isEnabled()) {
      action->trigger();
      return true;
    }
  }
  return false;
}
