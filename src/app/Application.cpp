#include "app/Application.h"

#include <QCoreApplication>

#include "catalogue/CatalogueFile.h"
#include "editions/CatalogueErrorReport.h"
#include "help/frmAbout.h"
#include "help/frmHelp.h"
#include "page_window/frmMulti.h"
#include "record_window/frmZelkor.h"

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
      m_page(std::make_unique<frmMulti>(platform, edition, *this)) {}

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
  if (m_edition.canEdit()) {
    const QString path = QString::fromLatin1(CatalogueFile::kFileName);
    switch (m_lock.acquire(path)) {
      case CatalogueLock::Result::Acquired:
        break;
      case CatalogueLock::Result::HeldElsewhere:
        m_platform.dialogs.message(CatalogueLock::heldElsewhereMessage(path), m_edition.productTitle(),
                                   Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, Dialogs::Answer::Ok);
        m_ended = true;
        return false;
      case CatalogueLock::Result::Failed: {
        CatalogueError error;
        error.operation = CatalogueError::Operation::Open;
        error.systemError = m_lock.lastErrno();
        error.fileName = path;
        reportCatalogueError(m_edition, m_platform.dialogs, error);
        m_ended = true;
        return false;
      }
    }
  }
  loadRecordWindow();
  return !m_ended;
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
