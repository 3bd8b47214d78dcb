#pragma once

#include <QObject>

class QKeyEvent;
class QMainWindow;
class QWidget;

// The menu keys users of the program expect whatever the platform's habits.
// F10 makes the menu bar take the keys with its first title highlighted and
// no drop-down open, as the "Μενού  F10" items say: the arrows and the access
// letters (at their Latin key positions too, in the bar and in an open
// drop-down) move in it, Enter opens the
// highlighted menu, and Esc or F10 gives the keys back to the control that had
// them. A Ctrl+letter accelerator answers at its Latin key position under the
// Greek layout too (Ctrl+α is Ctrl+A), as menu accelerators do on Windows.
// True while the window's menu bar holds the keys: it has the focus and a
// highlighted title (after F10 or a tap of Alt). The window's key map hears
// nothing then.
bool menuBarHoldsKeys(const QWidget& window);

class MenuKeys : public QObject {
  Q_OBJECT
 public:
  // Watches every key press the application delivers to `window` or its children.
  explicit MenuKeys(QMainWindow& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool activateMenuBar();
  bool leaveMenuBar();
  bool accessLetterAtLatinPosition(const QKeyEvent& key, QWidget& menus);
  bool triggerAtLatinPosition(const QKeyEvent& key);

  QMainWindow& m_window;
};
