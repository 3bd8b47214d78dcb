#pragma once

#include <atomic>

// Asks the reading of an input under way (an import or its preview) to stop
// soon, from a signal handler or from another thread. The readers look
// between tokens, blocks and rows, so that no record, however long, keeps
// them going.
void stopReading();
// True once stopReading() was called, or once the flag this thread's
// readings hear (ReadingStopHeard) was set: the window's Cancel stops the
// one reading it leaves so, and the readings begun after it, clearing the
// flag of every reading, never wake it.
bool readingStopped();
// Each reading begins so.
void resumeReading();

// While it stands, the readings on this thread also stop once `asked` is
// set: a reading run beside the window on a thread kept for the next one.
class ReadingStopHeard {
 public:
  explicit ReadingStopHeard(const std::atomic<bool>& asked);
  ~ReadingStopHeard();
  ReadingStopHeard(const ReadingStopHeard&) = delete;
  ReadingStopHeard& operator=(const ReadingStopHeard&) = delete;

 private:
  const std::atomic<bool>* m_before;
};
