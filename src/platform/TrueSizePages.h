#pragma once

#include "platform/PrintDocument.h"

class QPagedPaintDevice;

// Draws the job's pages on a printer or PDF writer at the job's paper size,
// from the paper's very corner at 100 % (a QPrinter is to be set to its
// full page first); false when the device refused.
bool drawPagesAtTrueSize(QPagedPaintDevice& device, const DrawingJob& job);
