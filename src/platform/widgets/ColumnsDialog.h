#pragma once

#include <QDialog>
#include <QList>

#include "platform/Dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

// Which columns of a table go into each of the six fields: above each field
// of the preview a button whose menu ticks the file's columns (several are
// joined in order), the sheet of a workbook, the last row to import, and the
// rows as they would be stored, first and last, whole, a cell the import
// cannot store as it is marked, shown afresh at every change. The choices
// stand above the rows, so they stay in view as the rows scroll.
class ColumnsDialog : public QDialog {
  Q_OBJECT
 public:
  ColumnsDialog(const Dialogs::ColumnsQuestion& question, const QString& title, QWidget* parent = nullptr);

  Dialogs::ColumnChoice choice() const;

 private:
  void buildChoices(QWidget* strip);
  void buildRowsChoice(QWidget* parent);
  void load(const Dialogs::ColumnsQuestion& question);
  void sheetChosen();
  // A file column goes into one field at most: ticking it for `field` takes it from any other.
  void columnTicked(int field, int column, bool ticked);
  void refresh();
  void nameChoices();
  void showRows();
  void markLeftOut(int place);
  void showCount();
  void showUnused();
  QString columnName(int column) const;
  bool headerShown() const;
  // The rows shown with their numbers: the first row when it is data, the
  // rows, and after a gap the last rows.
  QList<std::pair<int, QStringList>> shownRows(int& gapAt) const;
  int firstDataRow() const;
  int lastFileRow() const;

  Dialogs::ColumnsQuestion m_question;
  int m_columnCount = 0;
  QList<QList<int>> m_chosen;
  QLabel* m_seen = nullptr;
  QComboBox* m_sheet = nullptr;
  QCheckBox* m_header = nullptr;
  QLabel* m_count = nullptr;
  QLabel* m_unused = nullptr;
  QSpinBox* m_lastRow = nullptr;
  QTableWidget* m_preview = nullptr;
  QList<QLabel*> m_labels;
  QList<QPushButton*> m_choices;
  QPushButton* m_import = nullptr;
  QLabel* m_marks = nullptr;  // says what a marked cell means, while one shows
};
