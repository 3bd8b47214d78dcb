#include "platform/MenuBarKey.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>

MenuBarKey::MenuBarKey(QMainWindow& window) : QObject(&window), m_window(window) { qApp->installEventFilter(this); }

bool MenuBarKey::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::NoModifier) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != &m_window || !m_window.isVisible()) return false;
  QMenuBar* bar = m_window.menuBar();
  for (QAction* menu : bar->actions()) {
    if (menu->isVisible() && menu->isEnabled()) {
      bar->setActiveAction(menu);
      return true;
    }
  }
  return false;
}
