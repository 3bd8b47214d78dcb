#include "locale/NumberLocale.h"

#include <clocale>

void keepNumbersInCLocale() { std::setlocale(LC_NUMERIC, "C"); }
