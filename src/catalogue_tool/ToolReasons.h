#pragma once

#include <QString>

struct ImportReason;

// What the import found, said as the tool says it: with its own flags
// (--truncate, --columns) and the check it offers.
QString toolWording(const ImportReason& reason);
