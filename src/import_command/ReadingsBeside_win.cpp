#include "import_command/ReadingsBeside.h"

// On Windows the reading stays on the window's thread, the progress box
// answering between rows: under the MinGW runtime a thread that has used
// QRegularExpression (whose JIT stack is a thread_local object) runs that
// object's destructor, as it ends, on storage already freed and reused, so
// that a reading thread crashed as it ended, or left the runtime's lock of
// its thread keys held and the program unable to end (seen under Wine).
struct ReadingsBeside::Reading {};

ReadingsBeside::ReadingsBeside() = default;
ReadingsBeside::~ReadingsBeside() = default;

bool ReadingsBeside::read(Dialogs::Progress& progress, std::function<void(const ImportProgress& told)> read) {
  bool goesOn = true;
  read([&](qint64 done, qint64 total) {
    goesOn = progress.advance(done, total);
    return goesOn;
  });
  return goesOn;
}

void ReadingsBeside::write(Dialogs::Progress& progress, const QString& /*stopping*/,
                           const std::function<void(const ImportProgress& told)>& write) {
  write([&](qint64 done, qint64 total) {
    const bool goesOn = progress.advance(done, total);
    if (goesOn && lastStep(done, total)) progress.withoutCancel();
    return goesOn;
  });
}
