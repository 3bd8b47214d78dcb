#include "import_command/WorkOffThread.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "transfer/ReadingStop.h"

namespace {

// What the two threads share; kept alive by the work when the window leaves it.
struct Handoff {
  std::mutex lock;
  std::condition_variable changed;
  std::optional<std::pair<qint64, qint64>> told;  // a step waiting for its answer
  std::optional<bool> answer;
  bool left = false;  // the window no longer listens
  bool ended = false;
  std::exception_ptr failure;
};

// How long the window waits for a step before letting its box answer.
constexpr std::chrono::milliseconds kWait{20};

}  // namespace

bool workOffThread(Dialogs::Progress& progress, bool leaveOnCancel,
                   std::function<void(const ImportProgress& progress)> work) {
  auto handoff = std::make_shared<Handoff>();
  std::thread([handoff, work = std::move(work)] {
    const ImportProgress tell = [handoff](qint64 done, qint64 total) {
      std::unique_lock held(handoff->lock);
      if (handoff->left) return false;
      handoff->told = {done, total};
      handoff->changed.notify_all();
      handoff->changed.wait(held, [&] { return handoff->answer.has_value() || handoff->left; });
      const bool goOn = handoff->answer.value_or(false);
      handoff->answer.reset();
      return goOn;
    };
    std::exception_ptr failure;
    try {
      work(tell);
    } catch (...) {
      failure = std::current_exception();
    }
    const std::lock_guard held(handoff->lock);
    handoff->failure = failure;
    handoff->ended = true;
    handoff->changed.notify_all();
  }).detach();

  bool cancelled = false;
  std::unique_lock held(handoff->lock);
  while (!handoff->ended) {
    handoff->changed.wait_for(held, kWait, [&] { return handoff->told.has_value() || handoff->ended; });
    if (handoff->ended) break;
    std::optional<std::pair<qint64, qint64>> told;
    std::swap(told, handoff->told);
    held.unlock();
    if (told) {
      cancelled = !progress.advance(told->first, told->second) || cancelled;
      // The last step answered: the work can no longer be undone.
      if (!cancelled && told->second > 0 && told->first == told->second) progress.withoutCancel();
    } else {
      cancelled = !progress.keepWaiting() || cancelled;
    }
    // The readers hear a stop between tokens and rows too, so that a reading
    // inside one long record ends as soon as it can.
    if (cancelled) stopReading();
    held.lock();
    if (cancelled && leaveOnCancel) {
      handoff->left = true;
      handoff->changed.notify_all();
      return false;
    }
    if (told) {
      handoff->answer = !cancelled;
      handoff->changed.notify_all();
    }
  }
  if (handoff->failure) std::rethrow_exception(handoff->failure);
  return true;
}
