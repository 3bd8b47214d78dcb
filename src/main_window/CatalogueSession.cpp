#include "main_window/CatalogueSession.h"

#include "catalogue/search/ForgivingMatcher.h"
#include "main_window/CatalogueErrorReport.h"
#include "platform/widgets/NumberForm.h"

using namespace Qt::StringLiterals;

CatalogueSession::CatalogueSession(QWidget& window, Platform platform, const Edition& edition, WindowHost& host,
                                   int progressBlanks)
    : m_platform(platform),
      m_edition(edition),
      m_host(host),
      m_caption(window, platform.clock),
      m_dialogs(platform.dialogs, m_caption),
      m_progressBlanks(progressBlanks) {}

bool CatalogueSession::open(FileIo::Mode mode) {
  m_file = std::make_unique<CatalogueFile>(m_platform.files.make());
  return m_file->open(QString::fromLatin1(CatalogueFile::kFileName), mode) || fail();
}

void CatalogueSession::close() {
  if (m_file) m_file->close();
}

bool CatalogueSession::fail() {
  reportCatalogueError(m_edition, m_dialogs, m_file->lastError());
  m_host.endProgram();
  return false;
}

std::unique_ptr<RecordMatcher> CatalogueSession::matcherFor(const QString& text, std::vector<int> fields) const {
  if (forgivingSearch()) return std::make_unique<ForgivingMatcher>(text, std::move(fields));
  return std::make_unique<FieldMatcher>(text, std::move(fields));
}

void CatalogueSession::toggleForgivingSearch() {
  if (m_platform.settings.setForgivingSearch(!forgivingSearch())) return;
  notice(
      u"Η επιλογή «Χωρίς τόνους και κεφαλαία» ισχύει μέχρι να κλείσει το πρόγραμμα: "
      u"οι ρυθμίσεις του χρήστη δεν μπορούν να αποθηκευτούν."_s,
      Dialogs::Icon::Exclamation);
}

void CatalogueSession::notice(const QString& text, Dialogs::Icon icon) {
  m_dialogs.notice(text, m_edition.productTitle(), icon);
}

// The blanks are the session's rather than captured, so the caption maker
// stays small enough to need no allocation for each record examined.
ScanCursor::Stop CatalogueSession::nextMatch(ScanCursor& cursor) {
  const ScanCursor::Stop stop = cursor.next([this, count = cursor.count()](qint32 examined) {
    m_caption.setThrottled([this, examined, count] {
      return m_edition.productTitle() + QString(m_progressBlanks, u' ') + u"Διερευνώ Εγγραφή: "_s + signPos(examined) +
             u"  από "_s + signPos(count);
    });
  });
  if (stop == ScanCursor::Stop::Failed) fail();
  return stop;
}

void CatalogueSession::showHelpContents() { m_platform.help.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents); }

PrintDocument& CatalogueSession::printer() {
  m_platform.printer.setFontName(QStringLiteral("courier"));
  m_platform.printer.setFontSize(12);
  return m_platform.printer;
}
