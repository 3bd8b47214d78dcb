#include "page_window/frmMulti.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QMenuBar>

#include "platform/keys/KeyRoute.h"
#include "platform/keys/MenuKeys.h"
#include "platform/widgets/TextSurface.h"
#include "platform/widgets/Twips.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kClientWidth = twipsToPixels(9630);
constexpr int kClientHeight = twipsToPixels(6300);
// The search progress caption: the product title, these blanks, "Διερευνώ Εγγραφή: ".
constexpr int kProgressBlanks = 49;

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
    : QMainWindow(parent), m_session(*this, platform, edition, host, kProgressBlanks) {
  setObjectName(u"frmMulti"_s);
  m_session.caption().set(m_session.edition().pageCaptionAsLoaded());
  m_surface = new TextSurface(this);
  m_surface->setObjectName(u"surface"_s);
  m_surface->setFont(pageFont());
  m_surface->setMinimumSize(kClientWidth, kClientHeight);
  setCentralWidget(m_surface);
  buildMenus();
  new KeyRoute(*this, [this](const VirtualKey& key) { Form_KeyDown(key); });
  new MenuKeys(*this);
}

frmMulti::~frmMulti() = default;

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
