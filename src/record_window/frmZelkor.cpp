#include "record_window/frmZelkor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>

#include "platform/keys/KeyRoute.h"
#include "platform/keys/MenuKeys.h"
#include "platform/widgets/Twips.h"
#include "record_window/FieldBoxes.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kClientWidth = twipsToPixels(8640);
constexpr int kClientHeight = twipsToPixels(6090);
// The search progress caption: the product title, these blanks, "Διερευνώ Εγγραφή: ".
constexpr int kProgressBlanks = 35;

}  // namespace

frmZelkor::frmZelkor(Platform platform, const Edition& edition, WindowHost& host, QWidget* parent)
    : QMainWindow(parent), m_session(*this, platform, edition, host, kProgressBlanks) {
  setObjectName(u"frmZelkor"_s);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowIcon(QIcon(u":/lomira.png"_s));

  auto* client = new QWidget(this);
  client->setObjectName(u"client"_s);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);
  buildFields(client);
  buildButtons(client);
  buildMenus();
  setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

  new KeyRoute(*this, [this](const VirtualKey& key) { Form_KeyDown(key); });
  new MenuKeys(*this);
}

frmZelkor::~frmZelkor() = default;

// A click on the picture opens the About box, as its menu item does.
bool frmZelkor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_picture && event->type() == QEvent::MouseButtonRelease) {
    const auto& mouse = *static_cast<QMouseEvent*>(event);
    if (mouse.button() == Qt::LeftButton && m_picture->rect().contains(mouse.position().toPoint())) Picture1_Click();
  }
  return false;
}

void frmZelkor::Form_Load() {
  if (!m_session.open(m_session.edition().canEdit() ? FileIo::Mode::ReadWrite : FileIo::Mode::ReadOnly)) return;
  m_currentRecord = 1;
  m_recordCount = m_session.file().recordCount();
  if (!ShowCR()) return;
  focusBox(0);
}

void frmZelkor::unload() {
  m_session.close();
  hide();
}

// The hand-over to the page window, whose load step unloads this window and
// opens the file afresh for reading; its "Ανά Εγγραφή" hands back through
// Form_Load. Typing that was not saved stays behind.
void frmZelkor::cmdMulti_Click() {
  m_session.close();
  m_session.host().loadPageWindow();
}

void frmZelkor::cmdExit_Click() {
  // The students' edition cannot edit, so it writes nothing on the way out:
  // writing the shown texts back would strip stored blanks and create
  // records in an empty catalogue.
  if (m_session.edition().canEdit() && !SaveCR()) return;
  m_session.close();
  m_session.host().endProgram();
}

void frmZelkor::closeEvent(QCloseEvent* event) {
  // Closing from the title bar saves nothing.
  m_session.close();
  event->accept();
}

void frmZelkor::showEvent(QShowEvent* event) {
  if (!m_placed) {
    m_placed = true;
    if (const QScreen* screen = this->screen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  QMainWindow::showEvent(event);
}

void frmZelkor::Picture1_Click() { m_session.showAbout(); }

void frmZelkor::focusBox(int field) { m_boxes[field]->widget().setFocus(Qt::OtherFocusReason); }
