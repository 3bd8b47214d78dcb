#include "import_command/ReadingsBeside.h"

// On Windows the reading stays on the window's thread, the progress box
// answering between rows: a thread that has used QRegularExpression (whose
// JIT stack is a thread_local object) crashes as it ends, since the MinGW
// runtime frees the thread's thread_local storage before it runs their
// destructors; a worker ended so crashed or left the program unable to end.
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
