#pragma once

#include <functional>
#include <list>
#include <memory>

#include "platform/Dialogs.h"
#include "transfer/import/Import.h"

// Readings of an input on threads beside the window's, each under a progress box,
// so that the window answers however long one reader's call takes (FreeXL
// opens a whole xls in one call). Cancel returns to the window at once: the
// reading, told to stop, ends on its own at its next token or row, and the
// readings left so are waited for when this object goes. Nothing of the
// window is touched beside it: the steps a reading tells are shown by the
// window's thread, which looks at them every few milliseconds. An import,
// which writes into the catalogue the window holds open, is waited for
// instead, the window answering meanwhile. The threads are kept for the
// next reading until the process ends (ReadingsBeside.cpp says why).
class ReadingsBeside {
 public:
  ReadingsBeside();
  ~ReadingsBeside();
  ReadingsBeside(const ReadingsBeside&) = delete;
  ReadingsBeside& operator=(const ReadingsBeside&) = delete;

  // Runs `read` beside the window while `progress` stands; false once the
  // user has pressed Cancel. `read` must own all it uses, since it may
  // outlive this call; an exception it throws is thrown here.
  bool read(Dialogs::Progress& progress, std::function<void(const ImportProgress& told)> read);

  // Runs `write` beside the window while `progress` stands, and returns only
  // once it has ended: what it writes is the window's, which the window's
  // thread leaves alone meanwhile. Cancel asks it to stop, and the box says
  // `stopping` until it has undone itself. The last step (done == total)
  // waits for the window's answer; after a yes the box offers no Cancel.
  void write(Dialogs::Progress& progress, const QString& stopping,
             const std::function<void(const ImportProgress& told)>& write);

 private:
  static bool lastStep(qint64 done, qint64 total) { return total > 0 && done == total; }
  struct Reading;
  std::list<std::shared_ptr<Reading>> m_left;  // cancelled, perhaps still reading
};
