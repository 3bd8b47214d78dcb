#pragma once

#include <QString>

// How many cells the sheets of the xls workbook at `path` claim, summed over
// its sheets, read from the dimensions each sheet declares; -1 when the
// workbook cannot be followed that far. FreeXL sets aside room for every
// claimed cell on opening, so this is asked first.
qint64 xlsClaimedCells(const QString& path);
