#include "platform/MenuKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOption>

#include "platform/Keys.h"

namespace {

// Draws the menu bar's highlighted title as an open one while the bar holds
// the keys, which some styles leave unmarked until a drop-down opens.
class ActiveTitleStyle : public QProxyStyle {
 public:
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuBarItem && item && widget && widget->hasFocus() && item->state.testFlag(State_Selected)) {
      QStyleOptionMenuItem highlighted(*item);
      highlighted.state |= State_Sunken;
      QProxyStyle::drawControl(element, &highlighted, painter, widget);
      return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }
};

void pressKey(QObject* target, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
}

// The letter after the ampersand of a menu title; null when it has none.
QChar accessLetter(const QString& title) {
  const qsizetype at = title.indexOf(u'&');
  return at >= 0 && at + 1 < title.size() && title[at + 1] != u'&' ? title[at + 1] : QChar();
}

// True while `window`'s menu bar holds the keys or one of its drop-downs is
// open, however it was opened.
bool menusHoldKeys(const QMainWindow& window) {
  const auto* dropDown = qobject_cast<const QMenu*>(QApplication::activePopupWidget());
  if (dropDown && dropDown->parentWidget() == window.menuBar()) return true;
  return QApplication::activeWindow() == &window && menuBarHoldsKeys(window);
}

// True when `menu` drops down from `window`'s menu bar, or from one of its drop-downs.
bool isDropDownOf(const QMenu& menu, const QMainWindow& window) {
  for (const QWidget* w = menu.parentWidget(); w; w = w->parentWidget())
    if (w == window.menuBar()) return true;
  return false;
}

}  // namespace

bool menuBarHoldsKeys(const QWidget& window) {
  const auto* bar = qobject_cast<const QMenuBar*>(window.focusWidget());
  return bar && bar->activeAction();
}

MenuKeys::MenuKeys(QMainWindow& window) : QObject(&window), m_window(window) {
  auto* style = new ActiveTitleStyle;
  style->setParent(this);
  m_window.menuBar()->setStyle(style);
  qApp->installEventFilter(this);
}

bool MenuKeys::eventFilter(QObject* watched, QEvent* event) {
  // While the menus hold the keys, Qt's shortcut map hears none of them: the
  // override sends each key on to the menu bar or its drop-down as a plain
  // key, where only the menu keys act.
  if (event->type() == QEvent::ShortcutOverride && m_window.isVisible() && menusHoldKeys(m_window)) {
    event->accept();
    return true;
  }
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || !m_window.isVisible()) return false;
  const auto& key = *static_cast<QKeyEvent*>(event);
  if (auto* dropDown = qobject_cast<QMenu*>(watched); dropDown && isDropDownOf(*dropDown, m_window))
    return accessLetterAtLatinPosition(key, *dropDown);
  if (static_cast<QWidget*>(watched)->window() != &m_window) return false;
  const bool menuBarActive = menuBarHoldsKeys(m_window);
  if (key.key() == Qt::Key_F10 && key.modifiers() == Qt::NoModifier)
    return menuBarActive ? leaveMenuBar() : activateMenuBar();
  return menuBarActive ? accessLetterAtLatinPosition(key, *m_window.menuBar()) : triggerAtLatinPosition(key);
}

// Qt's menu bar takes the keys with a title highlighted when Esc closes that
// title's drop-down, so the first title is opened and closed again at once.
// When no control has the focus the window takes it first, so that leaving
// the menu bar has somewhere to give it back.
bool MenuKeys::activateMenuBar() {
  QMenuBar* bar = m_window.menuBar();
  if (!m_window.focusWidget()) m_window.setFocus();
  for (QAction* title : bar->actions()) {
    if (!title->isVisible() || !title->isEnabled() || !title->menu()) continue;
    bar->setActiveAction(title);
    if (title->menu()->isVisible()) pressKey(title->menu(), Qt::Key_Escape);
    return true;
  }
  return false;
}

bool MenuKeys::leaveMenuBar() {
  pressKey(m_window.menuBar(), Qt::Key_Escape);
  return true;
}

// Under the Latin layout an access letter arrives as the Latin letter of its
// key; the menu bar, or the open drop-down, is given the Greek letter of the
// title or item it stands for. A Latin access letter of its own is left to Qt.
bool MenuKeys::accessLetterAtLatinPosition(const QKeyEvent& key, QWidget& menus) {
  if (key.modifiers() != Qt::NoModifier || key.text().size() != 1 || key.text().front().unicode() >= 0x80) return false;
  const int position = letterKey(key.text().front());
  if (position == 0) return false;
  const QList<QAction*> items = menus.actions();
  const auto shown = [](const QAction* item) { return item->isVisible() && !item->isSeparator(); };
  for (const QAction* item : items)
    if (shown(item) && accessLetter(item->text()).toLower() == key.text().front().toLower()) return false;
  for (const QAction* item : items) {
    const QChar letter = accessLetter(item->text());
    if (shown(item) && !letter.isNull() && letter.unicode() >= 0x80 && letterKey(letter) == position) {
      pressKey(&menus, letter.toUpper().unicode(), QString(letter.toLower()));
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
