#include "transfer/ReadingStop.h"

#include <QThread>
#include <atomic>

namespace {

// Lock-free, so that a signal handler may set it.
std::atomic<bool> g_stop{false};
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace

void stopReading() { g_stop.store(true, std::memory_order_relaxed); }

bool readingStopped() {
  return g_stop.load(std::memory_order_relaxed) || QThread::currentThread()->isInterruptionRequested();
}

void resumeReading() { g_stop.store(false, std::memory_order_relaxed); }
