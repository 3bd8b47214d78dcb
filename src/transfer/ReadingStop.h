#pragma once

#include <atomic>

// Asks the reading of an input under way (an import or its preview) to stop
// soon, from a signal handler or from another thread (the window's Cancel).
// The readers look between tokens, blocks and rows, so that no record,
// however long, keeps them going.
void stopReading();
bool readingStopped();
// Each reading begins so.
void resumeReading();

// The stop of one reading on a thread of its own, which the window can ask
// for without stopping the readings begun after it: while a Heard stands on
// the reading's thread, readingStopped() there answers this stop too.
// stopReading() and resumeReading() leave it alone.
class ReadingStop {
 public:
  void stop() { m_stop.store(true, std::memory_order_relaxed); }
  bool stopped() const { return m_stop.load(std::memory_order_relaxed); }

  class Heard {
   public:
    explicit Heard(const ReadingStop& stop);
    ~Heard();
    Heard(const Heard&) = delete;
    Heard& operator=(const Heard&) = delete;

   private:
    const ReadingStop* m_before;
  };

 private:
  std::atomic<bool> m_stop{false};
};
