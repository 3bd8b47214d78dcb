#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

#include "platform/Dialogs.h"

// Answers the windows' boxes from a script and keeps a transcript. A box
// nobody scripted fails the test at once (it answers Cancel, or the empty
// text) instead of blocking.
class ScriptedDialogs : public Dialogs {
 public:
  struct Entry {
    enum class Kind { Message, Input, Beep, SaveFile, OpenFile, Columns, Progress };
    Kind kind = Kind::Message;
    // Message text, the input prompt, the save dialog's suggested file, the
    // open dialog's folder, what the column dialog says was seen, the progress text.
    QString text;
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer defaultButton = Answer::Ok;
    QString caption;      // the watched window's caption when the box opened
    QStringList filters;  // of a save or open dialog
    SaveOption option;    // the save dialog's check box, as shown
  };

  // Queue the answer to the next message box.
  ScriptedDialogs& answer(Answer a);
  // Queue the text typed into the next input box ("" is Cancel).
  ScriptedDialogs& type(const QString& text);
  // Queue the file and filter chosen in the next save dialog ("" is Cancel),
  // its check box left as shown or set to `checked`.
  ScriptedDialogs& choose(const QString& path, int filter, std::optional<bool> checked = std::nullopt);
  // Queue the file chosen in the next open dialog ("" is Cancel).
  ScriptedDialogs& chooseToOpen(const QString& path);
  // Queue the answer to the next column dialog: a choice, or nothing for Cancel.
  ScriptedDialogs& answerColumns(std::optional<ColumnChoice> choice);
  // Queue Import in the next column dialog with what it proposed.
  ScriptedDialogs& acceptProposedColumns();
  // Cancel a progress box at the n-th step told to any box (0: never); with
  // `box`, the box-th box opened (1 the first) at its own n-th step.
  void cancelProgressAt(int step, int box = 0) {
    m_cancelAt = step;
    m_cancelBox = box;
  }
  // Cancel a progress box once it has waited `waits` times for work going on
  // elsewhere that tells it nothing (0: never).
  void cancelProgressWhileWaiting(int waits) { m_cancelWaits = waits; }
  // Record this window's caption with every box.
  void watch(QWidget* window) { m_watched = window; }

  Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon, Answer defaultButton) override;
  QString input(const QString& prompt, const QString& title) override;
  SaveChoice saveFile(const QString& title, const QString& suggested, const QStringList& filters,
                      const SaveOption& option = {}) override;
  QString openFile(const QString& title, const QString& folder, const QStringList& filters) override;
  std::optional<ColumnChoice> chooseColumns(const ColumnsQuestion& question, const QString& title) override;
  std::unique_ptr<Progress> progress(const QString& text, const QString& title) override;
  void beep() override;

  const QList<Entry>& log() const { return m_log; }
  // Message boxes only, in order.
  QList<Entry> messages() const;
  QStringList messageTexts() const;
  // The steps every progress box was moved to, in order.
  QList<qint64> progressSteps() const { return m_steps; }
  // What the boxes said while the work they stood for stopped, in order.
  const QStringList& stoppings() const { return m_stoppings; }
  // What every column dialog was shown, in order.
  const QList<ColumnsQuestion>& columnQuestions() const { return m_columnQuestions; }
  int pending() const { return int(m_script.size()); }
  void clearLog() { m_log.clear(); }

 private:
  struct Step {
    Entry::Kind kind = Entry::Kind::Message;
    Answer answer = Answer::Ok;
    QString text;
    int filter = -1;
    std::optional<bool> checked;
    std::optional<ColumnChoice> columns;  // nothing: Cancel, or the proposal when `proposed`
    bool proposed = false;
  };
  static Step stepOf(Entry::Kind kind, const QString& text = QString());
  class ScriptedProgress;
  // The next step when it is of this kind; otherwise the test fails.
  bool next(Entry::Kind kind, const QString& what, Step& step);
  QString watchedCaption() const;

  QList<Step> m_script;
  QList<Entry> m_log;
  QPointer<QWidget> m_watched;
  int m_cancelAt = 0;
  int m_cancelBox = 0;
  int m_cancelWaits = 0;
  int m_boxes = 0;  // progress boxes opened
  QList<qint64> m_steps;
  QList<ColumnsQuestion> m_columnQuestions;
  QStringList m_stoppings;
};
