#pragma once

#include "editions/Edition.h"

// The whole life of one program: the real platform, the application object,
// the event loop.
int runProgram(int argc, char** argv, const Edition& edition);
