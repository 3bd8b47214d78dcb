#include "page_window/frmMulti.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "platform/Keys.h"
#include "platform/MenuKeys.h"
#include "platform/NamedMenus.h"
#include "platform/TextSurface.h"
#include "platform/Twips.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kClientWidth = twipsToPixels(9630);
constexpr int kClientHeight = twipsToPixels(6300);

// The tallest Greek-capable monospace font, narrowed as little as needed, in
// which a full page fits the client area: 32 lines, and column 115 plus the
// record label with a five-digit number. Taller narrowed letters read better
// than small ones at full width.
QFont pageFont() {
  QFont font(u"DejaVu Sans Mono"_s);
  font.setStyleHint(QFont::Monospace);
  for (int pixels = 13; pixels >= 8; --pixels) {
    for (int stretch = 100; stretch >= 60; stretch -= 5) {
      font.setPixelSize(pixels);
      font.setStretch(stretch);
      const QFontMetrics metrics(font);
      const int right = 114 * metrics.averageCharWidth() + metrics.horizontalAdvance(u"Αρ.Εγγρ.= 12345"_s);
      if (right <= kClientWidth && 4 * frmMulti::kRows * metrics.lineSpacing() <= kClientHeight) return font;
    }
  }
  return font;
}

}  // namespace

frmMulti::frmMulti(Platform platform, const Edition& edition, WindowHost& host, QWidget* parent)
    : QMainWindow(parent), m_session(*this, platform, edition, host) {
  setObjectName(u"frmMulti"_s);
  m_session.caption().set(m_session.edition().pageCaptionAsLoaded());
  m_surface = new TextSurface(this);
  m_surface->setObjectName(u"surface"_s);
  m_surface->setFont(pageFont());
  m_surface->setMinimumSize(kClientWidth, kClientHeight);
  setCentralWidget(m_surface);
  buildMenus();
  installEventFilter(this);
  new MenuKeys(*this);
}

frmMulti::~frmMulti() = default;

void frmMulti::buildMenus() {
  QMenu* file = addNamedMenu(menuBar(), "mnuMulti", u"&Αρχείο"_s);
  addNamedItem(file, "mnuTelos", u"Ανά Εγγραφή"_s, QKeySequence(Qt::CTRL | Qt::Key_A), this, &frmMulti::mnuTelos_Click);
  addNamedSeparator(file, "Sep3");
  addNamedItem(file, "mnuPrint", u"Εκτύπωση"_s, QKeySequence(Qt::CTRL | Qt::Key_F2), this, &frmMulti::mnuPrint_Click);
  addNamedSeparator(file, "mnuSep4");
  addNamedItem(file, "mnuMenu", u"Μενού     F10"_s);
  addNamedSeparator(file, "mnuSep");
  addNamedItem(file, "mnuExit", u"Έξοδος   Alt+X"_s, QKeySequence(), this, &frmMulti::mnuExit_Click);

  QMenu* search = addNamedMenu(menuBar(), "mnuSearch", u"&Διερεύνηση"_s);
  addNamedItem(search, "mnuEpo", u"&Συγγραφέα"_s, QKeySequence(Qt::Key_F5), this, &frmMulti::mnuEpo_Click);
  addNamedItem(search, "mnuOno", u"Ά&λλου Ονόματος"_s, QKeySequence(Qt::Key_F6), this, &frmMulti::mnuOno_Click);
  addNamedItem(search, "mnuTitlos", u"&Τίτλου"_s, QKeySequence(Qt::Key_F7), this, &frmMulti::mnuTitlos_Click);
  addNamedItem(search, "mnuAlloi", u"Εκδ&οτικών"_s, QKeySequence(Qt::Key_F8), this, &frmMulti::mnuAlloi_Click);
  addNamedItem(search, "mnuEkdot", u"Α&ριθμού ή Θέματος"_s, QKeySequence(Qt::Key_F9), this, &frmMulti::mnuEkdot_Click);
  addNamedItem(search, "mnuNo", u"Δανει&ζόμενου"_s, QKeySequence(Qt::Key_F11), this, &frmMulti::mnuNo_Click);
  addNamedItem(search, "mnuAuthorTitle", u"Συγγραφέα-Τίτλου"_s, QKeySequence(Qt::CTRL | Qt::Key_F5), this,
               &frmMulti::mnuAuthorTitle_Click);

  QMenu* help = addNamedMenu(menuBar(), "mnuhelp", u"&Βοήθεια"_s);
  addNamedItem(help, "mnuHelp1", u"Πλήκτρα"_s, QKeySequence(Qt::CTRL | Qt::Key_K), this, &frmMulti::mnuHelp1_Click);
  addNamedItem(help, "mnuhelp2", u"Βοήθεια"_s, QKeySequence(Qt::CTRL | Qt::Key_F1), this, &frmMulti::mnuhelp2_Click);
  addNamedSeparator(help, "mnuSep5");
  addNamedItem(help, "mnuAbout", u"Περί ..."_s, QKeySequence(), this, &frmMulti::mnuAbout_Click);
}

void frmMulti::Form_Load() {
  m_session.host().unloadRecordWindow();
  if (!m_session.open(FileIo::Mode::ReadOnly)) return;
  m_currentRecord = 1;
  m_recordCount = m_session.file().recordCount();
}

void frmMulti::unload() {
  m_session.close();
  hide();
  m_surface->clear();
  m_session.caption().set(m_session.edition().pageCaptionAsLoaded());
}

bool frmMulti::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && event->type() == QEvent::KeyPress) {
    const VirtualKey key = toVirtualKey(*static_cast<QKeyEvent*>(event));
    Form_KeyDown(key.code, key.shift);
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMulti::Form_KeyDown(int keyCode, int shift) {
  if (shift != vk::AltMask) return;
  switch (keyCode) {
    case 'S':
      return mnuEpo_Click();
    case 'L':
      return mnuOno_Click();
    case 'T':
      return mnuTitlos_Click();
    case 'Y':
      return mnuAlloi_Click();
    case 'O':
      return mnuEkdot_Click();
    case 'R':
      return mnuNo_Click();
    case 'X':
      return mnuExit_Click();
    default:
      return;
  }
}

// Closed through the frame: the window goes, and so does its hold on the file.
void frmMulti::closeEvent(QCloseEvent* event) {
  m_session.close();
  event->accept();
}

void frmMulti::mnuTelos_Click() {
  m_session.close();
  m_session.host().unloadPageWindow();
  m_session.host().loadRecordWindow();
}

void frmMulti::mnuExit_Click() {
  m_session.close();
  m_session.host().endProgram();
}

void frmMulti::mnuHelp1_Click() { m_session.host().showKeyHelp(); }

void frmMulti::mnuhelp2_Click() { m_session.showHelpContents(); }

void frmMulti::mnuAbout_Click() { m_session.host().showAbout(); }
