#include "transfer/ReadingStop.h"

namespace {

// Lock-free, so that a signal handler may set it.
std::atomic<bool> g_stop{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// A plain pointer, with nothing to run when its thread ends.
thread_local const std::atomic<bool>* t_heard = nullptr;

}  // namespace

void stopReading() { g_stop.store(true, std::memory_order_relaxed); }

bool readingStopped() {
  return g_stop.load(std::memory_order_relaxed) || (t_heard && t_heard->load(std::memory_order_relaxed));
}

void resumeReading() { g_stop.store(false, std::memory_order_relaxed); }

ReadingStopHeard::ReadingStopHeard(const std::atomic<bool>& asked) : m_before(t_heard) { t_heard = &asked; }

ReadingStopHeard::~ReadingStopHeard() { t_heard = m_before; }
