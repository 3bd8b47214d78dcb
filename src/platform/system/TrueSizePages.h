#pragma once

#include "platform/PrintDocument.h"

class QPagedPaintDevice;

enum class DrawOutcome { Drawn, Refused, Stopped };

// Draws the job's pages on a printer or PDF writer at the job's paper size,
// from the paper's very corner at 100 % (a QPrinter is to be set to its
// full page first): Refused when the device refused, Stopped when the job's
// drawing stopped it.
DrawOutcome drawPagesAtTrueSize(QPagedPaintDevice& device, const DrawingJob& job);
