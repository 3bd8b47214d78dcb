#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

#include "catalogue/CatalogueRecord.h"
#include "main_window/CatalogueSession.h"

class TextSurface;
struct VirtualKey;
struct PageSearch;

// The page window: the matches of a search drawn as four text lines each,
// eight records to a page, and printed a page at a time. It only ever reads
// the catalogue.
class frmMulti : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kRows = 8;
  static constexpr int kPrintLines = 3;
  using PageBuffer = std::array<std::array<QString, kPrintLines>, kRows>;

  frmMulti(Platform platform, const Edition& edition, WindowHost& host, QWidget* parent = nullptr);
  ~frmMulti() override;

  // Unloads the record window and opens the catalogue afresh at record 1;
  // draws nothing and leaves the caption and the page state as they are.
  void Form_Load();
  // Closes the file and hides, leaving a blank page under the caption as
  // loaded; the page buffer, page number and print heading stay for the next
  // visit.
  void unload();

  // Menu handlers.
  void mnuTelos_Click();
  void mnuPrint_Click();
  void mnuExit_Click();
  void mnuEpo_Click();
  void mnuOno_Click();
  void mnuTitlos_Click();
  void mnuAlloi_Click();
  void mnuEkdot_Click();
  void mnuNo_Click();
  void mnuAuthorTitle_Click();

  // Runs the command of a key the window's key route hands over.
  void Form_KeyDown(const VirtualKey& key);

  // Page state, for the application and tests.
  TextSurface& surface() const { return *m_surface; }
  const PageBuffer& pageBuffer() const { return m_page; }
  int rowCount() const { return m_rowCount; }
  int pageNumber() const { return m_pageNumber; }
  const QString& printHeading() const { return m_printHeading; }
  qint32 currentRecord() const { return m_currentRecord; }
  qint32 recordCount() const { return m_recordCount; }
  bool fileOpen() const { return m_session.isOpen(); }
  CatalogueSession& session() { return m_session; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The command table (PageCommands.cpp).
  void buildMenus();

  // Drawing and captions. The rule under each record, on screen and on paper.
  static QString rule() { return QString(110, u'_'); }
  bool ShowCR();
  void showCA();
  void ClearArrays();

  // Searching.
  void runSearch(const PageSearch& search);
  bool askPageFull(const PageSearch& search);
  void askLastRecords(const PageSearch& search);

  // Printing.
  void PrintRecords();
  void printPage();

  CatalogueSession m_session;
  TextSurface* m_surface = nullptr;
  CatalogueRecord m_record;
  qint32 m_currentRecord = 1;
  qint32 m_recordCount = 1;
  int m_rowCount = 0;
  PageBuffer m_page;
  int m_pageNumber = 0;
  QString m_printHeading;
};
