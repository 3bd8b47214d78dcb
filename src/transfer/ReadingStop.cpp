#include "transfer/ReadingStop.h"

namespace {

// Lock-free, so that a signal handler may set it.
std::atomic<bool> g_stop{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// The stop of the reading on this thread, when it has one of its own.
thread_local const ReadingStop* t_own = nullptr;

}  // namespace

void stopReading() { g_stop.store(true, std::memory_order_relaxed); }

bool readingStopped() { return g_stop.load(std::memory_order_relaxed) || (t_own != nullptr && t_own->stopped()); }

void resumeReading() { g_stop.store(false, std::memory_order_relaxed); }

ReadingStop::Heard::Heard(const ReadingStop& stop) : m_before(t_own) { t_own = &stop; }

ReadingStop::Heard::~Heard() { t_own = m_before; }
