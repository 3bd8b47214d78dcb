#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "platform/Keys.h"
#include "record_window/frmZelkor.h"

namespace {

enum class Held { Any, AltAlone, CtrlAlone };

struct KeyRow {
  int code;
  Held held;
  void (frmZelkor::*command)();
  bool edits;  // absent from the students' edition
};

// Tried in order; the first row that matches runs.
const KeyRow kKeyMap[] = {
    {vk::PageDown, Held::Any, &frmZelkor::cmdNext_Click, false},
    {vk::PageUp, Held::Any, &frmZelkor::cmdPrevious_Click, false},
    {'H', Held::AltAlone, &frmZelkor::cmdNext_Click, false},
    {'P', Held::AltAlone, &frmZelkor::cmdPrevious_Click, false},
    {'V', Held::AltAlone, &frmZelkor::cmdFindcode_Click, false},
    {'S', Held::AltAlone, &frmZelkor::cmdFindISBN_Click, false},
    {'L', Held::AltAlone, &frmZelkor::cmdFindAuthor_Click, false},
    {'T', Held::AltAlone, &frmZelkor::cmdFindTitle_Click, false},
    {'O', Held::AltAlone, &frmZelkor::cmdFindAlloi_Click, false},
    {'R', Held::AltAlone, &frmZelkor::cmdFindEkdot_Click, false},
    {'Z', Held::AltAlone, &frmZelkor::cmdFindNo_Click, true},
    {'N', Held::AltAlone, &frmZelkor::cmdNew_Click, true},
    {'K', Held::AltAlone, &frmZelkor::cmdCorrect_Click, true},
    {vk::Return, Held::Any, &frmZelkor::cmdPrint_Click, false},
    {vk::Separator, Held::Any, &frmZelkor::cmdPrint_Click, false},
    {'A', Held::CtrlAlone, &frmZelkor::cmdMulti_Click, false},
    {'X', Held::AltAlone, &frmZelkor::cmdExit_Click, false},
};

bool heldMatches(Held held, int shift) {
  switch (held) {
    case Held::Any:
      return true;
    case Held::AltAlone:
      return shift == vk::AltMask;
    case Held::CtrlAlone:
      return shift == vk::CtrlMask;
  }
  return false;
}

}  // namespace

void frmZelkor::Form_KeyDown(int KeyCode, int Shift) {
  for (const KeyRow& row : kKeyMap) {
    if (row.code != KeyCode || !heldMatches(row.held, Shift)) continue;
    if (row.edits && !m_session.edition().canEdit()) return;
    (this->*row.command)();
    return;
  }
}

// A key press travels from the focused control up through its parents; the
// key map runs once, for the control the key was meant for.
bool frmZelkor::isKeyTarget(QObject* watched) const {
  if (!isVisible() || !watched->isWidgetType()) return false;
  QWidget* focus = focusWidget();
  return watched == (focus ? focus : this);
}

bool frmZelkor::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (isKeyTarget(watched)) {
        const VirtualKey key = toVirtualKey(*static_cast<QKeyEvent*>(event));
        Form_KeyDown(key.code, key.shift);
      }
      return false;
    case QEvent::MouseButtonRelease:
      if (watched == m_picture && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
          m_picture->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
        Picture1_Click();
      return false;
    default:
      return false;
  }
}
