#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

class ScriptedDialogs::ScriptedProgress : public Dialogs::Progress {
 public:
  ScriptedProgress(ScriptedDialogs& owner, int number) : m_owner(owner), m_number(number) {}
  bool advance(qint64 done, qint64) override {
    m_owner.m_steps.append(done);
    ++m_steps;
    if (m_owner.m_cancelAt == 0) return true;
    if (m_owner.m_cancelBox == 0) return int(m_owner.m_steps.size()) < m_owner.m_cancelAt;
    return m_owner.m_cancelBox != m_number || m_steps < m_owner.m_cancelAt;
  }
  // As the real box, it lets the window's events through while it waits.
  bool keepWaiting() override {
    QCoreApplication::processEvents();
    return m_owner.m_cancelWaits == 0 || ++m_waits < m_owner.m_cancelWaits;
  }
  void stopping(const QString& text) override { m_owner.m_stoppings.append(text); }

 private:
  ScriptedDialogs& m_owner;
  int m_number;
  int m_steps = 0;
  int m_waits = 0;
};

ScriptedDialogs::Step ScriptedDialogs::stepOf(Entry::Kind kind, const QString& text) {
  Step step;
  step.kind = kind;
  step.text = text;
  return step;
}

ScriptedDialogs& ScriptedDialogs::answer(Answer a) {
  Step step = stepOf(Entry::Kind::Message);
  step.answer = a;
  m_script.append(step);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::type(const QString& text) {
  m_script.append(stepOf(Entry::Kind::Input, text));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::choose(const QString& path, int filter, std::optional<bool> checked) {
  Step step = stepOf(Entry::Kind::SaveFile, path);
  step.filter = filter;
  step.checked = checked;
  m_script.append(step);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::chooseToOpen(const QString& path) {
  m_script.append(stepOf(Entry::Kind::OpenFile, path));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::answerColumns(std::optional<ColumnChoice> choice) {
  Step step = stepOf(Entry::Kind::Columns);
  step.columns = std::move(choice);
  m_script.append(step);
  return *this;
}

ScriptedDialogs& ScriptedDialogs::acceptProposedColumns() {
  Step step = stepOf(Entry::Kind::Columns);
  step.proposed = true;
  m_script.append(step);
  return *this;
}

QString ScriptedDialogs::watchedCaption() const { return m_watched ? m_watched->windowTitle() : QString(); }

bool ScriptedDialogs::next(Entry::Kind kind, const QString& what, Step& step) {
  if (m_script.isEmpty() || m_script.front().kind != kind) {
    ADD_FAILURE() << "unexpected " << what.toStdString();
    return false;
  }
  step = m_script.takeFirst();
  return true;
}

Dialogs::Answer ScriptedDialogs::message(const QString& text, const QString& title, Buttons buttons, Icon icon,
                                         Answer defaultButton) {
  m_log.append({Entry::Kind::Message, text, title, buttons, icon, defaultButton, watchedCaption(), {}, {}});
  Step step;
  if (!next(Entry::Kind::Message, QStringLiteral("message box: ") + text, step))
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  return step.answer;
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title) {
  m_log.append({Entry::Kind::Input, prompt, title, Buttons::Ok, Icon::None, Answer::Ok, watchedCaption(), {}, {}});
  Step step;
  return next(Entry::Kind::Input, QStringLiteral("input box: ") + prompt, step) ? step.text : QString();
}

Dialogs::SaveChoice ScriptedDialogs::saveFile(const QString& title, const QString& suggested,
                                              const QStringList& filters, const SaveOption& option) {
  m_log.append({Entry::Kind::SaveFile, suggested, title, Buttons::Ok, Icon::None, Answer::Ok, watchedCaption(), filters,
                option});
  Step step;
  if (!next(Entry::Kind::SaveFile, QStringLiteral("save dialog: ") + title, step)) return {};
  return {step.text, step.filter, step.checked.value_or(option.checked)};
}

QString ScriptedDialogs::openFile(const QString& title, const QString& folder, const QStringList& filters) {
  m_log.append(
      {Entry::Kind::OpenFile, folder, title, Buttons::Ok, Icon::None, Answer::Ok, watchedCaption(), filters, {}});
  Step step;
  return next(Entry::Kind::OpenFile, QStringLiteral("open dialog: ") + title, step) ? step.text : QString();
}

std::optional<Dialogs::ColumnChoice> ScriptedDialogs::chooseColumns(const ColumnsQuestion& question,
                                                                    const QString& title) {
  m_log.append(
      {Entry::Kind::Columns, question.seen, title, Buttons::Ok, Icon::None, Answer::Ok, watchedCaption(), {}, {}});
  m_columnQuestions.append(question);
  Step step;
  if (!next(Entry::Kind::Columns, QStringLiteral("column dialog: ") + title, step)) return std::nullopt;
  if (step.proposed) return ColumnChoice{question.columnsOfField, question.firstRowIsHeader, question.sheet, 0};
  // Another sheet chosen is read first, as the real dialog reads it.
  if (step.columns && step.columns->sheet != question.sheet && question.readSheet) {
    const std::optional<ColumnsQuestion> other = question.readSheet(step.columns->sheet);
    if (!other) return std::nullopt;
    m_columnQuestions.append(*other);
  }
  return step.columns;
}

std::unique_ptr<Dialogs::Progress> ScriptedDialogs::progress(const QString& text, const QString& title) {
  m_log.append({Entry::Kind::Progress, text, title, Buttons::Ok, Icon::None, Answer::Ok, watchedCaption(), {}, {}});
  return std::make_unique<ScriptedProgress>(*this, ++m_boxes);
}

void ScriptedDialogs::beep() {
  m_log.append({Entry::Kind::Beep, {}, {}, Buttons::Ok, Icon::None, Answer::Ok, {}, {}, {}});
}

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
