#pragma once

#include <QDialog>
#include <QString>

#include "loans/LoanList.h"
#include "platform/Platform.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The overdue list: the late books by class and pupil, the borrower fields
// that cannot be read, and "everything still out" for the end of the year;
// printed as a list per class or as reminder slips. It only reads the
// catalogue.
class LoansWindow : public QDialog {
 public:
  LoansWindow(Platform& platform, QString cataloguePath, QString productTitle, QWidget* parent = nullptr);

  // Reads the catalogue on the day the clock gives; false (and told in a
  // box) when it could not be read or the librarian cancelled.
  bool load();
  // The record the librarian chose to go to, or 0.
  qint32 chosenCode() const { return m_chosen; }

  // The handlers, by the controls' names.
  void chkEverything_Toggled();
  void cmdGoTo_Click();
  void cmdPrintList_Click();
  void cmdPrintSlips_Click();
  void cmdSchool_Click();

 private:
  void buildControls();
  void showList();
  qint32 codeOf(const QTreeWidgetItem* item) const;
  void print(const QList<QStringList>& pages, int fontSize, bool spread);
  QString askSchoolName();
  void notice(const QString& text);

  Platform& m_platform;
  QString m_path;
  QString m_title;
  loans::LoanList m_list;
  qint32 m_chosen = 0;

  QCheckBox* m_everything = nullptr;
  QLabel* m_counts = nullptr;
  QTreeWidget* m_loans = nullptr;
  QTreeWidget* m_unreadable = nullptr;
  QTreeWidget* m_picked = nullptr;  // the list a book was picked in last
};
