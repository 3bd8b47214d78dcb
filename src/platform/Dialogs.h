#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

// Modal message and input boxes, the open- and save-file dialogs, the
// column choice of a table to import, a progress box and the beep. Every window reaches the user through this seam; the
// Qt version shows real boxes, the test version answers from a script.
class Dialogs {
 public:
  enum class Buttons { Ok, YesNo, YesNoCancel };
  enum class Icon { None, Exclamation, Information, Question };
  enum class Answer { Ok, Yes, No, Cancel };

  // A check box the save dialog shows beside the file name; none without a label.
  struct SaveOption {
    QString label;
    bool checked;  // no initializer here: `= {}` below needs the plain aggregate (false)
  };
  // The file chosen in a save dialog, which of its filters was chosen and the
  // state its check box was left in; an empty path for Cancel.
  struct SaveChoice {
    QString path;
    int filter = -1;
    bool checked = false;
  };

  // A cell of the column dialog's preview: its text whole, and when the import
  // cannot store it as it is (too long, a letter the catalogue cannot write),
  // why, for the cell's mark and its tip.
  struct PreviewCell {
    QString text;
    QString problem;
  };

  // A table about to be imported, as the column dialog shows it: what was
  // found, the file's first row and the rows after it, and for each of the
  // six fields the file columns (0-based, in order) proposed for it.
  struct ColumnsQuestion {
    QString file;  // its name, as the user knows it
    QString seen;  // type, encoding and separator found
    QStringList firstRow;
    bool firstRowIsHeader = false;
    QList<QStringList> rows;
    QList<QList<int>> columnsOfField;
    // A cell as field `field` would take it, from the cells of its columns in order.
    std::function<PreviewCell(const QStringList& cells, int field)> stored;
    // The file's own numbers of the first row and of `rows` (following on
    // from the first row when not given), how many rows follow the first,
    // and the last of them when `rows` does not reach them.
    int firstNumber = 1;
    QList<int> rowNumbers;
    qint64 rowCount = 0;
    QList<QStringList> lastRows;
    QList<int> lastNumbers;
    // A workbook's sheets, the one shown, and how to read another: the
    // question for that sheet, or nothing when it could not be read (the
    // reader has told why).
    QStringList sheets;
    QString sheet;
    std::function<std::optional<ColumnsQuestion>(const QString& sheet)> readSheet;
  };
  // The user's answer: the file columns of each field, in order (several
  // are joined), whether the first row names the columns, the sheet, and
  // the last row to import (0 for all).
  struct ColumnChoice {
    QList<QList<int>> columnsOfField;
    bool firstRowIsHeader = false;
    QString sheet;
    int lastRow = 0;
  };

  // A modal box with a bar and a Cancel button, shown while it exists.
  class Progress {
   public:
    virtual ~Progress() = default;
    // Moves the bar; false once the user has pressed Cancel.
    virtual bool advance(qint64 done, qint64 total) = 0;
    // While the work goes on elsewhere and has nothing to tell: lets the box
    // answer for a moment; false once the user has pressed Cancel.
    virtual bool keepWaiting() { return true; }
    // The work can no longer be undone: the box stops offering Cancel.
    virtual void withoutCancel() {}
    // Cancelled, the work goes on until it has undone itself: the box stands
    // again, saying `text`, without Cancel, until it goes.
    virtual void stopping(const QString& /*text*/) {}
  };

  virtual ~Dialogs() = default;
  // `defaultButton` is the button Enter presses; closing the box (Esc or its
  // close control) answers Cancel where there is a Cancel button, else the
  // only or last button.
  virtual Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon,
                         Answer defaultButton) = 0;
  // The typed text, or the empty text for Cancel.
  virtual QString input(const QString& prompt, const QString& title) = 0;
  // The platform's save dialog, opening on `suggested`; `filters` like
  // "Πίνακας CSV (*.csv)"; with `option`'s check box when it has a label.
  virtual SaveChoice saveFile(const QString& title, const QString& suggested, const QStringList& filters,
                              const SaveOption& option = {}) = 0;
  // The platform's open dialog in `folder`; the chosen file, or the empty
  // text for Cancel. Dialogs without one answer Cancel.
  virtual QString openFile(const QString& title, const QString& folder, const QStringList& filters);
  // Which file column goes into each field, shown with the rows as they
  // would be stored; nothing for Cancel. Dialogs without one answer Cancel.
  virtual std::optional<ColumnChoice> chooseColumns(const ColumnsQuestion& question, const QString& title);
  // Dialogs without a progress box show none and are never cancelled.
  virtual std::unique_ptr<Progress> progress(const QString& text, const QString& title);
  virtual void beep() = 0;

  // The box every window tells the user something with: OK alone, which Enter presses.
  void notice(const QString& text, const QString& title, Icon icon) {
    message(text, title, Buttons::Ok, icon, Answer::Ok);
  }
};
