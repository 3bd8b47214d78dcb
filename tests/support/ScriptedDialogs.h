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
    enum class Kind { Message, Input, Beep };
    Kind kind = Kind::Message;
    QString text;  // message text, or the input prompt
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer defaultButton = Answer::Ok;
    QString caption;  // the watched window's caption when the box opened
  };

  // Queue the answer to the next message box.
  ScriptedDialogs& answer(Answer a);
  // Queue the text typed into the next input box ("" is Cancel).
  ScriptedDialogs& type(const QString& text);
  // Record this window's caption with every box.
  void watch(QWidget* window) { m_watched = window; }

  Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon, Answer defaultButton) override;
  QString input(const QString& prompt, const QString& title) override;
  void beep() override;

  const QList<Entry>& log() const { return m_log; }
  // Message boxes only, in order.
  QList<Entry> messages() const;
  QStringList messageTexts() const;
  int pending() const { return int(m_script.size()); }
  void clearLog() { m_log.clear(); }

 private:
  struct Step {
    bool isInput = false;
    Answer answer = Answer::Ok;
    QString text;
  };
  QString watchedCaption() const;

  QList<Step> m_script;
  QList<Entry> m_log;
  QPointer<QWidget> m_watched;
};
