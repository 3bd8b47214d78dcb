#pragma once

#include <QObject>
#include <QProcess>
#include <QWidget>

// Counts the captions a window hands to the window system while a search
// runs: the title changes Qt sees, and, on X11, the changes of the window's
// name property as another X client sees them.
class CaptionWatch : public QObject {
 public:
  explicit CaptionWatch(QWidget& window);
  ~CaptionWatch() override;

  // On X11, starts a property spy on the window; false when none can run.
  bool startServerSpy();
  // Stops the spy and returns how many changes the X server reported since
  // it started (its first report of the current name not counted).
  long long stopServerSpy();

  long long titleChanges() const { return m_titleChanges; }
  void reset() { m_titleChanges = 0; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& m_window;
  long long m_titleChanges = 0;
  QProcess m_spy;
};
