#pragma once

#include <QPointer>
#include <memory>

#include "catalogue/file/CatalogueLock.h"
#include "editions/Edition.h"
#include "platform/Platform.h"
#include "platform/WindowHost.h"

class frmZelkor;
class frmMulti;
class frmHelp;
class frmAbout;

// Owns the two main windows for the life of the program (unloading a window
// keeps its state) and the non-modal key-help window and About box.
class Application : public WindowHost {
 public:
  Application(Platform platform, const Edition& edition);
  ~Application() override;

  // Takes the librarian's lock on the catalogue and loads the record window.
  // False when the program must end at once (the user was told why).
  bool start();

  void loadRecordWindow() override;
  void loadPageWindow() override;
  void unloadRecordWindow() override;
  void unloadPageWindow() override;
  void showKeyHelp() override;
  void showAbout() override;
  void endProgram() override;

  bool ended() const { return m_ended; }
  frmZelkor& recordWindow() { return *m_record; }
  frmMulti& pageWindow() { return *m_page; }
  frmHelp* keyHelp() const;
  frmAbout* about() const;
  const Edition& edition() const { return m_edition; }

 private:
  Platform m_platform;
  Edition m_edition;
  CatalogueLock m_lock;
  std::unique_ptr<frmZelkor> m_record;
  std::unique_ptr<frmMulti> m_page;
  QPointer<frmHelp> m_keyHelp;
  QPointer<frmAbout> m_about;
  bool m_ended = false;
  // Keeps the day a failed backup copy was last reported.
  QString m_noticeFile;

  int takeDailyBackup(const QString& path);
  void noticeFailedBackup(int systemError);
};
