#pragma once

class QCoreApplication;

// Qt's own texts (the text boxes' context menus, the file dialog and its
// questions, the progress box, the standard buttons, the command line's
// errors) in Greek, like every other text of the programs. The translation is built into the program.
// True when it was installed.
bool installGreekQtTexts(QCoreApplication& app);
