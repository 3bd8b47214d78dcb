// The catalogue tests link no widgets library, so they build the fault-injecting
// io from its source here rather than through the shared test-support library.
#include "../support/FaultyFileIo.cpp"
