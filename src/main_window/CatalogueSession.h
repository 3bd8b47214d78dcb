#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "catalogue/file/CatalogueFile.h"
#include "catalogue/search/ScanCursor.h"
#include "editions/Edition.h"
#include "platform/Platform.h"
#include "platform/WindowHost.h"
#include "platform/widgets/CaptionFlushingDialogs.h"

class QWidget;

// What each main window holds of the catalogue and the world around it: the
// open file, the caption its scans rewrite, the boxes that see that caption,
// the failure report that ends the program, and the help call.
class CatalogueSession {
 public:
  // `progressBlanks`: how many blanks the window's progress caption has after
  // the product title.
  CatalogueSession(QWidget& window, Platform platform, const Edition& edition, WindowHost& host, int progressBlanks);

  // Opens the catalogue afresh. On failure the user is told why, the program
  // ends, and the caller stops at once.
  bool open(FileIo::Mode mode);
  void close();
  bool isOpen() const { return m_file && m_file->isOpen(); }
  CatalogueFile& file() { return *m_file; }

  // Tells the user which file failed, doing what, and why, then ends the
  // program. Always false, for `return session.fail();`.
  bool fail();

  // How a search for `text` in `fields` (0-based) decides a match. Every
  // search of both windows asks here, so another comparison plugs in here:
  // the exact one, or the forgiving one when the user has chosen it.
  std::unique_ptr<RecordMatcher> matcherFor(const QString& text, std::vector<int> fields) const;
  // Whether the text searches forgive accents, case, final sigma and Latin
  // look-alikes: the user's setting, shared by both windows and kept
  // between runs.
  bool forgivingSearch() const { return m_platform.settings.forgivingSearch(); }
  // An OK box under the product title.
  void notice(const QString& text, Dialogs::Icon icon);
  // Turns it over; when it cannot be kept for later runs, says so.
  void toggleForgivingSearch();
  // Walks `cursor` on to its next match, showing each record examined in the
  // caption: the product title, the blanks, "Διερευνώ Εγγραφή: ..."
  // (throttled; the text is made only when seen). A failed read is reported
  // and ends the program.
  ScanCursor::Stop nextMatch(ScanCursor& cursor);
  // The program's one print document, set to the face both windows print in.
  PrintDocument& printer();
  // This moment as the printed headings show it.
  QString printedNow() const { return printedMoment(m_platform.clock.now()); }
  // The help commands both windows offer.
  void showKeyHelp() { m_host.showKeyHelp(); }
  void showHelpContents();
  void showAbout() { m_host.showAbout(); }

  const Edition& edition() const { return m_edition; }
  Platform& platform() { return m_platform; }
  WindowHost& host() { return m_host; }
  CaptionThrottle& caption() { return m_caption; }
  Dialogs& dialogs() { return m_dialogs; }

 private:
  Platform m_platform;
  Edition m_edition;
  WindowHost& m_host;
  CaptionThrottle m_caption;
  CaptionFlushingDialogs m_dialogs;
  std::unique_ptr<CatalogueFile> m_file;
  const int m_progressBlanks;
};
