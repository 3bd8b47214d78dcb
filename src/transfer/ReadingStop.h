#pragma once

// Asks the reading of an input under way (an import or its preview) to stop
// soon, from a signal handler or from another thread. The readers look
// between tokens, blocks and rows, so that no record, however long, keeps
// them going.
void stopReading();
// True once stopReading() was called, or, for a reading on a QThread of its
// own, once that thread's interruption was requested (QThread::
// requestInterruption): the window's Cancel stops the one reading it leaves
// so, and the readings begun after it, clearing the flag, never wake it.
bool readingStopped();
// Each reading begins so.
void resumeReading();
