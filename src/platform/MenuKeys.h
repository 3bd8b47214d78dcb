#pragma once

#include <QObject>

class QKeyEvent;
class QMainWindow;

// The menu keys users of the program expect whatever the platform's habits:
// F10 opens the menu bar at its first menu, as the "Μενού  F10" items say, and
// a Ctrl+letter accelerator answers at its Latin key position under the Greek
// layout too (Ctrl+α is Ctrl+A), as menu accelerators do on Windows.
class MenuKeys : public QObject {
  Q_OBJECT
 public:
  // Watches every key press the application delivers to `window` or its children.
  explicit MenuKeys(QMainWindow& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool openMenuBar();
  bool triggerAtLatinPosition(const QKeyEvent& key);

  QMainWindow& m_window;
};
