#include "platform/widgets/NumberForm.h"

using namespace Qt::StringLiterals;

QString signPos(qint64 number) { return (number < 0 ? u""_s : u" "_s) + QString::number(number); }
