#pragma once

#include <QString>

// Modal message and input boxes and the beep. Every window reaches the user
// through this seam; the Qt version shows real boxes, the test version
// answers from a script.
class Dialogs {
 public:
  enum class Buttons { Ok, YesNo, YesNoCancel };
  enum class Icon { None, Exclamation, Information, Question };
  enum class Answer { Ok, Yes, No, Cancel };

  virtual ~Dialogs() = default;
  // `defaultButton` is the button Enter presses; closing the box (Esc or its
  // close control) answers Cancel where there is a Cancel button, else the
  // only or last button.
  virtual Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon,
                         Answer defaultButton) = 0;
  // The typed text, or the empty text for Cancel.
  virtual QString input(const QString& prompt, const QString& title) = 0;
  virtual void beep() = 0;
};
