#pragma once

#include <QString>
#include <QtGlobal>

// The sign-position form of every number in captions, messages and printed
// lines: one position for the sign (a blank when not negative), then digits.
// signed5 -> " 5", -3 -> "-3".
QString signPos(qint64 number);
