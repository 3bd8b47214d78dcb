#pragma once

#include <QString>

// The label the record window shows above field i (0-based); exported tables
// use the same texts as column names.
QString fieldLabel(int i);
