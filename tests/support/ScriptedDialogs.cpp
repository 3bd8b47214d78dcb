#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

ScriptedDialogs& ScriptedDialogs::answer(Answer a) {
  m_script.append({false, a, QString()});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::type(const QString& text) {
  m_script.append({true, Answer::Ok, text});
  return *this;
}

QString ScriptedDialogs::watchedCaption() const { return m_watched ? m_watched->windowTitle() : QString(); }

Dialogs::Answer ScriptedDialogs::message(const QString& text, const QString& title, Buttons buttons, Icon icon,
                                         Answer defaultButton) {
  m_log.append({Entry::Kind::Message, text, title, buttons, icon, defaultButton, watchedCaption()});
  if (m_script.isEmpty() || m_script.front().isInput) {
    ADD_FAILURE() << "unexpected message box: " << text.toStdString();
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }
  return m_script.takeFirst().answer;
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title) {
  m_log.append({Entry::Kind::Input, prompt, title, Buttons::Ok, Icon::None, Answer::Ok, watchedCaption()});
  if (m_script.isEmpty() || !m_script.front().isInput) {
    ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
    return QString();
  }
  return m_script.takeFirst().text;
}

void ScriptedDialogs::beep() { m_log.append({Entry::Kind::Beep, {}, {}, Buttons::Ok, Icon::None, Answer::Ok, {}}); }

QList<ScriptedDialogs::Entry> ScriptedDialogs::messages() const {
  QList<Entry> result;
  for (const Entry& e : m_log)
    if (e.kind == Entry::Kind::Message) result.append(e);
  return result;
}

QStringList ScriptedDialogs::messageTexts() const {
  QStringList result;
  for (const Entry& e : messages()) result.append(e.text);
  return result;
}
