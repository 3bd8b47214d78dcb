#pragma once

#include <QObject>

class QMainWindow;

// F10 opens the window's menu bar at its first menu, as users of the program
// expect from its "Μενού  F10" item; Qt leaves that key to the style.
class MenuBarKey : public QObject {
  Q_OBJECT
 public:
  // Watches every key press the application delivers to `window` or its children.
  explicit MenuBarKey(QMainWindow& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMainWindow& m_window;
};
