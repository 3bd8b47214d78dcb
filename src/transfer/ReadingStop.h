#pragma once

// Asks the reading of an input under way (an import or its preview) to stop
// soon, from a signal handler or from another thread (the window's Cancel).
// The readers look between tokens, blocks and rows, so that no record,
// however long, keeps them going.
void stopReading();
bool readingStopped();
// Each reading begins so.
void resumeReading();
