#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

#include "catalogue/CatalogueRecord.h"
#include "main_window/CatalogueSession.h"

class QLabel;
class QPushButton;
struct VirtualKey;
class FieldBox;
struct TextSearch;

// The record window: one catalogue record in six field boxes, browsed,
// edited, searched and queued for printing. The program starts here.
class frmZelkor : public QMainWindow {
  Q_OBJECT
 public:
  frmZelkor(Platform platform, const Edition& edition, WindowHost& host, QWidget* parent = nullptr);
  ~frmZelkor() override;

  // Opens the catalogue at record 1 with the count worked out afresh; the
  // print and search counters keep their values.
  void Form_Load();
  // Closes the file if open and hides; the window's state is kept.
  void unload();

  // Runs the command of a key the window's key route hands over.
  void Form_KeyDown(const VirtualKey& key);

  // Browsing and editing.
  void cmdNext_Click();
  void cmdPrevious_Click();
  void cmdNew_Click();
  void cmdCorrect_Click();
  void cmdDelete_Click();
  void cmdExit_Click();

  // Searches.
  void cmdFindcode_Click();
  void cmdFindISBN_Click();
  void cmdFindAuthor_Click();
  void cmdFindTitle_Click();
  void cmdFindAlloi_Click();
  void cmdFindEkdot_Click();
  void cmdFindNo_Click();

  // Print queue and the page window.
  void cmdPrint_Click();
  void cmdEndPrint_Click();
  void cmdMulti_Click();

  // The catalogue to a file for a spreadsheet or a library system (librarian's edition).
  void mnuExport_Click();
  // The books of a file added to the end of the catalogue (librarian's edition).
  void mnuImport_Click();
  // The overdue list (frmZelkorLoans.cpp), where the program supplies one.
  void mnuOverdue_Click();
  // Spine labels with barcodes on a sheet of labels (librarian's edition).
  void mnuLabels_Click();

  // About, as the help menu's last item; the help menu itself is the session's.
  void Picture1_Click();

  qint32 currentRecord() const { return m_currentRecord; }
  qint32 recordCount() const { return m_recordCount; }
  qint16 printCounter() const { return m_printCounter; }
  bool fileOpen() const { return m_session.isOpen(); }
  CatalogueSession& session() { return m_session; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Layout (frmZelkorLayout.cpp).
  void buildFields(QWidget* client);
  void buildButtons(QWidget* client);

  // The command table (frmZelkorCommands.cpp): menus, buttons in tab order, keys.
  void buildMenus();
  QList<QPushButton*> buildCommandButtons(QWidget* client);

  // The record on screen and in the file (frmZelkorRecords.cpp). Each
  // returns false when the catalogue failed and the program is ending.
  bool ShowCR();
  // The caption with the current record and the record count.
  void showRecordCaption();
  bool SaveCR();
  bool writeRecord(qint32 n, const CatalogueRecord& record);

  // Field box by field number 0 to 5.
  void focusBox(int field);

  // Searches (frmZelkorSearch.cpp).
  void runTextSearch(const TextSearch& search);
  QString searchTitle(const QString& tail) const;

  CatalogueSession m_session;
  CatalogueRecord m_record;
  qint32 m_currentRecord = 1;
  qint32 m_recordCount = 1;
  qint16 m_printCounter = 0;

  std::array<FieldBox*, CatalogueRecord::kFieldCount> m_boxes{};
  QLabel* m_picture = nullptr;
  bool m_placed = false;
};
