#pragma once

#include <QDialog>
#include <QList>

#include "platform/Dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// Which column of a table goes into each of the six fields: one column of
// the preview per field, under its label a choice of the file's column, and
// the first rows whole, a cell the import cannot store as it is marked,
// shown afresh at every change.
class ColumnsDialog : public QDialog {
  Q_OBJECT
 public:
  ColumnsDialog(const Dialogs::ColumnsQuestion& question, const QString& title, QWidget* parent = nullptr);

  Dialogs::ColumnChoice choice() const;

 private:
  void buildChoices();
  // A file column goes into one field at most: choosing it for `field` takes it from any other.
  void columnChosen(int field);
  void nameColumns();
  void showRows();
  int columnOf(int field) const;

  Dialogs::ColumnsQuestion m_question;
  int m_columnCount = 0;
  QCheckBox* m_header = nullptr;
  QTableWidget* m_preview = nullptr;
  QList<QComboBox*> m_choices;
  QPushButton* m_import = nullptr;
  QLabel* m_marks = nullptr;  // says what a marked cell means, while one shows
};
