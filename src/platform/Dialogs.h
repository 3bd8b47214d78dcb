#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// Modal message and input boxes, the save-file dialog, a progress box and
// the beep. Every window reaches the user through this seam; the Qt version
// shows real boxes, the test version answers from a script.
class Dialogs {
 public:
  enum class Buttons { Ok, YesNo, YesNoCancel };
  enum class Icon { None, Exclamation, Information, Question };
  enum class Answer { Ok, Yes, No, Cancel };

  // The file chosen in a save dialog and which of its filters was chosen;
  // an empty path for Cancel.
  struct SaveChoice {
    QString path;
    int filter = -1;
  };

  // A modal box with a bar and a Cancel button, shown while it exists.
  class Progress {
   public:
    virtual ~Progress() = default;
    // Moves the bar; false once the user has pressed Cancel.
    virtual bool advance(qint64 done, qint64 total) = 0;
  };

  virtual ~Dialogs() = default;
  // `defaultButton` is the button Enter presses; closing the box (Esc or its
  // close control) answers Cancel where there is a Cancel button, else the
  // only or last button.
  virtual Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon,
                         Answer defaultButton) = 0;
  // The typed text, or the empty text for Cancel.
  virtual QString input(const QString& prompt, const QString& title) = 0;
  // The platform's save dialog, opening on `suggested`; `filters` like "Πίνακας CSV (*.csv)".
  virtual SaveChoice saveFile(const QString& title, const QString& suggested, const QStringList& filters) = 0;
  // Dialogs without a progress box show none and are never cancelled.
  virtual std::unique_ptr<Progress> progress(const QString& text, const QString& title);
  virtual void beep() = 0;

  // The box every window tells the user something with: OK alone, which Enter presses.
  void notice(const QString& text, const QString& title, Icon icon) {
    message(text, title, Buttons::Ok, icon, Answer::Ok);
  }
};
