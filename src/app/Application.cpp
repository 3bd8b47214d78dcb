#include "app/Application.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTimer>

#include "catalogue/file/CatalogueBackup.h"
#include "catalogue/file/CatalogueFile.h"
#include "catalogue/file/ImportJournal.h"
#include "help/frmAbout.h"
#include "help/frmHelp.h"
#include "main_window/CatalogueErrorReport.h"
#include "page_window/frmMulti.h"
#include "record_window/frmZelkor.h"

using namespace Qt::StringLiterals;

namespace {

void bringForward(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

Application::Application(Platform platform, const Edition& edition)
    : m_platform(platform),
      m_edition(edition),
      m_record(std::make_unique<frmZelkor>(platform, edition, *this)),
      m_page(std::make_unique<frmMulti>(platform, edition, *this)),
      m_noticeFile(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u"/notices.ini"_s) {}

Application::~Application() {
  delete m_keyHelp.data();
  delete m_about.data();
  // Records queued and not yet released still reach the printer when the
  // program ends, however it ends.
  m_platform.printer.endDoc();
}

frmHelp* Application::keyHelp() const { return m_keyHelp.data(); }

frmAbout* Application::about() const { return m_about.data(); }

bool Application::start() {
  int backupError = 0;
  bool importUndone = false;
  if (m_edition.canEdit()) {
    const QString path = QString::fromLatin1(CatalogueFile::kFileName);
    switch (m_lock.acquire(path)) {
      case CatalogueLock::Result::Acquired:
        break;
      case CatalogueLock::Result::HeldElsewhere:
        m_platform.dialogs.notice(CatalogueLock::heldElsewhereMessage(path), m_edition.productTitle(),
                                  Dialogs::Icon::Exclamation);
        m_ended = true;
        return false;
      case CatalogueLock::Result::Failed:
        reportCatalogueError(m_edition, m_platform.dialogs,
                             CatalogueError::of(CatalogueError::Operation::Open, path, m_lock.lastErrno()));
        m_ended = true;
        return false;
    }
    // Before the copy, so that the day's copy never holds half an import.
    int journalError = 0;
    switch (importjournal::finishInterrupted(path, &journalError)) {
      case importjournal::Outcome::Nothing:
        break;
      case importjournal::Outcome::Undone:
        importUndone = true;
        break;
      case importjournal::Outcome::Failed:
        reportCatalogueError(m_edition, m_platform.dialogs,
                             CatalogueError::of(CatalogueError::Operation::Write, path, journalError));
        m_ended = true;
        return false;
    }
    backupError = takeDailyBackup(path);
  }
  loadRecordWindow();
  if (importUndone && !m_ended)
    m_platform.dialogs.notice(importjournal::undoneNotice(QString::fromLatin1(CatalogueFile::kFileName)),
                              m_edition.productTitle(), Dialogs::Icon::Exclamation);
  if (backupError != 0 && !m_ended) noticeFailedBackup(backupError);
  return !m_ended;
}

// The copy is taken while the lock is held, so no other editor writes meanwhile.
// It has system files of its own: unlike a failed catalogue call, a failed
// copy never ends the program.
int Application::takeDailyBackup(const QString& path) {
  SystemFileIoFactory files;
  const CatalogueBackup::Result result = CatalogueBackup(path, files).takeDaily(m_platform.clock.now().date());
  return result.outcome == CatalogueBackup::Result::Outcome::Failed ? result.systemError : 0;
}

// Once the window is up, and at most once a day: the librarian goes on working.
void Application::noticeFailedBackup(int systemError) {
  if (!BackupNotices(m_noticeFile).reportToday(m_platform.clock.now().date())) return;
  QTimer::singleShot(0, m_record.get(), [this, systemError] {
    m_platform.dialogs.notice(CatalogueBackup::failureNotice(systemError), m_edition.productTitle(),
                              Dialogs::Icon::Exclamation);
  });
}

void Application::loadRecordWindow() {
  m_record->Form_Load();
  if (!m_ended) bringForward(m_record.get());
}

void Application::loadPageWindow() {
  m_page->Form_Load();
  if (!m_ended) bringForward(m_page.get());
}

void Application::unloadRecordWindow() { m_record->unload(); }

void Application::unloadPageWindow() { m_page->unload(); }

void Application::showKeyHelp() {
  if (!m_keyHelp) m_keyHelp = new frmHelp(m_edition);
  bringForward(m_keyHelp);
}

void Application::showAbout() {
  if (!m_about) m_about = new frmAbout(m_platform, m_edition);
  bringForward(m_about);
}

void Application::endProgram() {
  m_ended = true;
  m_record->unload();
  m_page->unload();
  if (m_keyHelp) m_keyHelp->close();
  if (m_about) m_about->close();
  m_lock.release();
  QCoreApplication::exit(0);
}
