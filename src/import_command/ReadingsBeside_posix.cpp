#include <QDeadlineTimer>
#include <QSemaphore>
#include <QThread>
#include <atomic>
#include <exception>

#include "import_command/ReadingsBeside.h"
#include "transfer/ReadingStop.h"

namespace {

// How long the window waits for a reading before letting its box answer:
// Cancel is heard well within a second.
constexpr int kLookMilliseconds = 20;

}  // namespace

// What a reading's thread and the window's share; the thread writes the
// steps and the failure, the window asks it to stop through the thread's
// interruption, which the readers hear (readingStopped) and no other reading does.
struct ReadingsBeside::Reading {
  std::atomic<qint64> done{0};
  std::atomic<qint64> total{0};
  std::atomic<bool> told{false};   // a step not yet shown
  std::atomic<bool> asked{false};  // the last step of a write, waiting for the window's answer
  bool kept = false;               // that answer, handed over through `answered`
  QSemaphore answered;
  std::exception_ptr failure;  // read once the thread has ended
  std::unique_ptr<QThread> thread;

  // A reading left by Cancel still uses what its function owns; told to
  // stop, it ends at its next token or row, or when the reader's call under
  // way returns.
  ~Reading() {
    if (thread) thread->wait();
  }

  void start(std::function<void()> work) {
    thread.reset(QThread::create([this, work = std::move(work)] {
      try {
        work();
      } catch (...) {
        failure = std::current_exception();
      }
    }));
    thread->start();
  }
  // On the window's thread: false once the thread has ended.
  bool running() { return !thread->wait(QDeadlineTimer(kLookMilliseconds)); }

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
ReadingsBeside::~ReadingsBeside() = default;

bool ReadingsBeside::read(Dialogs::Progress& progress, std::function<void(const ImportProgress& told)> read) {
  auto reading = std::make_unique<Reading>();
  Reading* shared = reading.get();
  reading->start([shared, read = std::move(read)] {
    read([shared](qint64 done, qint64 total) { return shared->tell(done, total); });
  });
  while (reading->running()) {
    if (reading->shown(progress)) continue;
    reading->thread->requestInterruption();
    m_left.remove_if([](const std::unique_ptr<Reading>& left) { return left->thread->isFinished(); });
    m_left.push_back(std::move(reading));
    return false;
  }
  if (reading->failure) std::rethrow_exception(reading->failure);
  return true;
}

void ReadingsBeside::write(Dialogs::Progress& progress, const QString& stopping,
                           const std::function<void(const ImportProgress& told)>& write) {
  Reading writing;
  Reading* shared = &writing;
  writing.start([shared, &write] {
    write([shared](qint64 done, qint64 total) {
      return lastStep(done, total) ? shared->ask(done, total) : shared->tell(done, total);
    });
  });
  bool heard = true;  // neither cancelled nor kept: the box's Cancel counts
  const auto stop = [&] {
    writing.thread->requestInterruption();
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
