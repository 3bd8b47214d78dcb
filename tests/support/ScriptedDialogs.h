#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/Dialogs.h"

// Answers the windows' boxes from a script and keeps a transcript. A box
// nobody scripted fails the test at once (it answers Cancel, or the empty
// text) instead of blocking.
class ScriptedDialogs : public Dialogs {
 public:
  struct Entry {
    enum class Kind { Message, Input, Beep, SaveFile, Progress };
    Kind kind = Kind::Message;
    QString text;  // message text, the input prompt, the save dialog's suggested file, the progress text
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer defaultButton = Answer::Ok;
    QString caption;      // the watched window's caption when the box opened
    QStringList filters;  // of a save dialog
  };

  // Queue the answer to the next message box.
  ScriptedDialogs& answer(Answer a);
  // Queue the text typed into the next input box ("" is Cancel).
  ScriptedDialogs& type(const QString& text);
  // Queue the file and filter chosen in the next save dialog ("" is Cancel).
  ScriptedDialogs& choose(const QString& path, int filter);
  // Cancel the next progress box at its n-th step (0: never).
  void cancelProgressAt(int step) { m_cancelAt = step; }
  // Record this window's caption with every box.
  void watch(QWidget* window) { m_watched = window; }

  Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon, Answer defaultButton) override;
  QString input(const QString& prompt, const QString& title) override;
  SaveChoice saveFile(const QString& title, const QString& suggested, const QStringList& filters) override;
  std::unique_ptr<Progress> progress(const QString& text, const QString& title) override;
  void beep() override;

  const QList<Entry>& log() const { return m_log; }
  // Message boxes only, in order.
  QList<Entry> messages() const;
  QStringList messageTexts() const;
  // The steps every progress box was moved to, in order.
  QList<qint64> progressSteps() const { return m_steps; }
  int pending() const { return int(m_script.size()); }
  void clearLog() { m_log.clear(); }

 private:
  struct Step {
    Entry::Kind kind = Entry::Kind::Message;
    Answer answer = Answer::Ok;
    QString text;
    int filter = -1;
  };
  class ScriptedProgress;
  // The next step when it is of this kind; otherwise the test fails.
  bool next(Entry::Kind kind, const QString& what, Step& step);
  QString watchedCaption() const;

  QList<Step> m_script;
  QList<Entry> m_log;
  QPointer<QWidget> m_watched;
  int m_cancelAt = 0;
  QList<qint64> m_steps;
};
