#pragma once

#include <QString>
#include <functional>

class Clock;
class QWidget;

// A window caption that a scan rewrites for every record. The text is always
// current; the window system is told at most every 30 ms, and whenever
// flush() is called (before a dialog opens, when a handler returns). A scan
// hands over how to make its caption rather than the text, so the text is
// made only when someone sees it.
class CaptionThrottle {
 public:
  static constexpr int kIntervalMs = 30;

  CaptionThrottle(QWidget& window, const Clock& clock);
  // Sets the caption now, unthrottled.
  void set(const QString& text);
  // Sets the caption, telling the window system only when the interval passed.
  void setThrottled(const QString& text);
  // The same with the text made on demand; `make` must not depend on state
  // that changes before the next call (capture values, not references).
  using Maker = std::function<QString()>;
  void setThrottled(Maker make);
  void flush();
  const QString& text() const;

 private:
  // The clock is asked once in this many throttled calls: a scan examines
  // that many records in far less than the interval.
  static constexpr unsigned kClockEvery = 64;

  qint64 now() const;
  void pushIfDue();

  QWidget& m_window;
  const Clock& m_clock;
  mutable QString m_text;
  mutable Maker m_make;
  unsigned m_calls = 0;
  bool m_pending = false;
  bool m_pushed = false;
  qint64 m_lastPush = 0;
};

// The caption a handler rewrote reaches the screen, at the latest, when the
// handler returns, however it returns.
class CaptionFlushOnReturn {
 public:
  explicit CaptionFlushOnReturn(CaptionThrottle& caption) : m_caption(caption) {}
  ~CaptionFlushOnReturn() { m_caption.flush(); }
  CaptionFlushOnReturn(const CaptionFlushOnReturn&) = delete;
  CaptionFlushOnReturn& operator=(const CaptionFlushOnReturn&) = delete;

 private:
  CaptionThrottle& m_caption;
};
