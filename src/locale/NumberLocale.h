#pragma once

// Numbers written into files (an xlsx's widths and margins, through the C
// library's printf) must read the same on every system: Qt takes the user's
// locale for the whole process at start, and a Greek one writes decimal commas
// that spreadsheet programs refuse. Called right after the application object
// is made; Qt's own number texts do not depend on it.
void keepNumbersInCLocale();
