#include "import_command/ReadingsBeside.h"

#include <QSemaphore>
#include <QThreadPool>
#include <atomic>
#include <exception>

#include "transfer/ReadingStop.h"

namespace {

// How long the window waits for a reading before letting its box answer:
// Cancel is heard well within a second.
constexpr int kLookMilliseconds = 20;
// Readings under way at once, those Cancel left still in a reader's call
// among them, beyond which a new reading waits for one of them to end.
constexpr int kMostReadings = 64;

// The threads the readings run on, each kept, once begun, until the process
// ends, and the pool never destroyed, so that nothing waits for them: under
// the MinGW runtime of the Windows build a thread that has used
// QRegularExpression (whose JIT stack is a thread_local object) ran that
// object's destructor, as it ended, on storage already freed and reused, and
// crashed, or left the runtime's lock of thread keys held and the program
// unable to end (seen under Wine). A thread that never ends runs none.
QThreadPool& readingThreads() {
  static QThreadPool* const pool = [] {
    auto* kept = new QThreadPool;
    kept->setExpiryTimeout(-1);
    kept->setMaxThreadCount(kMostReadings);
    return kept;
  }();
  return *pool;
}

}  // namespace

// What a reading's thread and the window's share; the thread writes the
// steps and the failure, the window asks it to stop through `stop`, which
// the readers hear (readingStopped) and no other reading does.
struct ReadingsBeside::Reading {
  std::atomic<qint64> done{0};
  std::atomic<qint64> total{0};
  std::atomic<bool> told{false};   // a step not yet shown
  std::atomic<bool> asked{false};  // the last step of a write, waiting for the window's answer
  std::atomic<bool> stop{false};
  bool kept = false;  // that answer, handed over through `answered`
  QSemaphore answered;
  QSemaphore ending;           // released once the work and all it owned are gone
  bool ended = false;          // `ending` taken, on the window's thread
  std::exception_ptr failure;  // read once the reading has ended

  // Runs `work` on a kept thread, which shares the reading with the window
  // until both are done with it: the window may go on the moment it is told
  // of the end.
  static void start(const std::shared_ptr<Reading>& reading, std::function<void()> work) {
    readingThreads().start([reading, work = std::move(work)]() mutable {
      {
        const ReadingStopHeard heard(reading->stop);
        const std::function<void()> owned = std::move(work);
        try {
          owned();
        } catch (...) {
          reading->failure = std::current_exception();
        }
      }
      reading->ending.release();
    });
  }
  // On the window's thread: the end of a reading left by Cancel, which
  // still uses what its function owns; told to stop, it ends at its next
  // token or row, or when the reader's call under way returns.
  void awaited() {
    if (!ended) ending.acquire();
    ended = true;
  }
  // On the window's thread: false once the reading has ended, looked for
  // as long as `waited`.
  bool running(int waited = kLookMilliseconds) {
    if (!ended) ended = ending.tryAcquire(1, waited);
    return !ended;
  }
  // On the reading's thread: a step for the window to show.
  bool tell(qint64 stepDone, qint64 stepTotal) {
    done.store(stepDone);
    total.store(stepTotal);
    told.store(true);
    return !readingStopped();
  }
  // On the reading's thread: the last step, answered by the window.
  bool ask(qint64 stepDone, qint64 stepTotal) {
    done.store(stepDone);
    total.store(stepTotal);
    asked.store(true);
    answered.acquire();
    return kept;
  }

  // On the window's thread: the step told last, if any, shown; false once
  // the user has pressed Cancel.
  bool shown(Dialogs::Progress& progress) {
    return told.exchange(false) ? progress.advance(done.load(), total.load()) : progress.keepWaiting();
  }
  void answer(bool keep) {
    asked.store(false);
    kept = keep;
    answered.release();
  }
};

ReadingsBeside::ReadingsBeside() = default;

ReadingsBeside::~ReadingsBeside() {
  for (const std::shared_ptr<Reading>& left : m_left) left->awaited();
}

bool ReadingsBeside::read(Dialogs::Progress& progress, std::function<void(const ImportProgress& told)> read) {
  const auto reading = std::make_shared<Reading>();
  Reading* shared = reading.get();
  Reading::start(reading, [shared, read = std::move(read)] {
    read([shared](qint64 done, qint64 total) { return shared->tell(done, total); });
  });
  while (reading->running()) {
    if (reading->shown(progress)) continue;
    reading->stop.store(true);
    m_left.remove_if([](const std::shared_ptr<Reading>& left) { return !left->running(0); });
    m_left.push_back(reading);
    return false;
  }
  if (reading->failure) std::rethrow_exception(reading->failure);
  return true;
}

void ReadingsBeside::write(Dialogs::Progress& progress, const QString& stopping,
                           const std::function<void(const ImportProgress& told)>& write) {
  const auto shared = std::make_shared<Reading>();
  Reading& writing = *shared;
  Reading::start(shared, [&writing, &write] {
    write([&writing](qint64 done, qint64 total) {
      return lastStep(done, total) ? writing.ask(done, total) : writing.tell(done, total);
    });
  });
  bool heard = true;  // neither cancelled nor kept: the box's Cancel counts
  const auto stop = [&] {
    writing.stop.store(true);
    progress.stopping(stopping);
  };
  while (writing.running()) {
    if (writing.asked.load()) {
      const bool keep = heard && progress.advance(writing.done.load(), writing.total.load());
      if (keep) progress.withoutCancel();
      writing.answer(keep);
      if (heard && !keep) stop();
      heard = false;
    } else if (!heard) {
      progress.keepWaiting();
    } else if (!writing.shown(progress)) {
      heard = false;
      stop();
    }
  }
  if (writing.failure) std::rethrow_exception(writing.failure);
}
