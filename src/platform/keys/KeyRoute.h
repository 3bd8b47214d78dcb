#pragma once

#include <QObject>
#include <functional>

#include "platform/keys/Keys.h"

class QWidget;

// The one road a key takes to a main window's commands: every key pressed
// anywhere in the application passes here first, and when `window` is shown
// and the key is meant for its focused control (or for the window itself when
// nothing has the focus) the window hears it once, unless the menu bar has
// taken the keys. The key is never consumed.
// Menu shortcuts are Qt's own; `MenuKeys` sits beside this for F10 and the
// Latin positions of Ctrl+letter.
class KeyRoute : public QObject {
  Q_OBJECT
 public:
  using Listener = std::function<void(const VirtualKey&)>;
  KeyRoute(QWidget& window, Listener listener);
  ~KeyRoute() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& m_window;
  Listener m_listener;
};
