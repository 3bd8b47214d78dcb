#include <QDeadlineTimer>
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
  std::atomic<bool> told{false};  // a step not yet shown
  std::exception_ptr failure;     // read once the thread has ended
  std::unique_ptr<QThread> thread;

  // A reading left by Cancel still uses what its function owns; told to
  // stop, it ends at its next token or row, or when the reader's call under
  // way returns.
  ~Reading() {
    if (thread) thread->wait();
  }
};

ReadingsBeside::ReadingsBeside() = default;
ReadingsBeside::~ReadingsBeside() = default;

bool ReadingsBeside::read(Dialogs::Progress& progress, std::function<void(const ImportProgress& told)> read) {
  auto reading = std::make_unique<Reading>();
  Reading* shared = reading.get();
  reading->thread.reset(QThread::create([shared, read = std::move(read)] {
    try {
      read([shared](qint64 done, qint64 total) {
        shared->done.store(done);
        shared->total.store(total);
        shared->told.store(true);
        return !readingStopped();
      });
    } catch (...) {
      shared->failure = std::current_exception();
    }
  }));
  reading->thread->start();
  while (!reading->thread->wait(QDeadlineTimer(kLookMilliseconds))) {
    const bool goesOn = reading->told.exchange(false) ? progress.advance(reading->done.load(), reading->total.load())
                                                      : progress.keepWaiting();
    if (goesOn) continue;
    reading->thread->requestInterruption();
    m_left.remove_if([](const std::unique_ptr<Reading>& left) { return left->thread->isFinished(); });
    m_left.push_back(std::move(reading));
    return false;
  }
  if (reading->failure) std::rethrow_exception(reading->failure);
  return true;
}
