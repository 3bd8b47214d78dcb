#pragma once

#include <functional>

#include "platform/Dialogs.h"
#include "transfer/import/Import.h"

// Runs `work` on a thread of its own while `progress` stands, so that the
// window goes on answering however long a file takes to read. Each progress
// the work tells reaches `progress` on the window's thread, in order, and
// the work is told false once Cancel was pressed.
//
// `leaveOnCancel` is for work that changes nothing (reading a file to show
// it): Cancel then returns at once, false, and the work, told to stop at
// its next step, ends on its own. Otherwise (an import, which must undo
// what it wrote) Cancel waits for the work to end. An exception of the work
// is thrown here.
bool workOffThread(Dialogs::Progress& progress, bool leaveOnCancel,
                   std::function<void(const ImportProgress& progress)> work);
