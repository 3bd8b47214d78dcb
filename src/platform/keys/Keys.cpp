#include "platform/keys/Keys.h"

#include <QKeyEvent>

namespace {

// The Latin key that carries each Greek letter on the Greek layout, for the
// capitals Α (U+0391) to Ω (U+03A9); 0 where the code point is unassigned.
constexpr char kGreekCapitalKeys[] = {
    'A', 'B', 'G', 'D', 'E', 'Z', 'H', 'U', 'I', 'K', 'L', 'M', 'N',
    'J', 'O', 'P', 'R', 0,   'S', 'T', 'Y', 'F', 'X', 'C', 'V',
};

// Greek letters, small or capital, with or without tonos or dialytika, to
// their Latin key; 0 for anything else.
int greekLetterKey(char32_t c) {
  switch (c) {
    case U'ς':  // the final sigma has a key of its own
      return 'W';
    case U'\u037E':  // the Greek question mark, the Q key's own character
      return 'Q';
    case U'Ά':
    case U'ά':
      return 'A';
    case U'Έ':
    case U'έ':
      return 'E';
    case U'Ή':
    case U'ή':
      return 'H';
    case U'Ί':
    case U'ί':
    case U'Ϊ':
    case U'ϊ':
    case U'ΐ':
      return 'I';
    case U'Ό':
    case U'ό':
      return 'O';
    case U'Ύ':
    case U'ύ':
    case U'Ϋ':
    case U'ϋ':
    case U'ΰ':
      return 'Y';
    case U'Ώ':
    case U'ώ':
      return 'V';
    default:
      break;
  }
  if (c >= U'α' && c <= U'ω') c -= U'α' - U'Α';
  if (c >= U'Α' && c <= U'Ω') return kGreekCapitalKeys[c - U'Α'];
  return 0;
}

// The keypad's decimal key by its place on the keyboard: scan code 0x53,
// which the X and Wayland keymaps number 8 higher.
#ifdef Q_OS_WIN
constexpr quint32 kDecimalKeyScanCode = 0x53;
#else
constexpr quint32 kDecimalKeyScanCode = 0x53 + 8;
#endif

// A keypad point or comma: the decimal key, whichever character the layout
// gives it, unless the key is known to be another one. A key press made up
// by a program carries no scan code and counts as the decimal key, the one
// every keypad has.
int keypadPointKey(quint32 scanCode) {
  return scanCode == 0 || scanCode == kDecimalKeyScanCode ? vk::Decimal : vk::Separator;
}

int namedKey(int key, bool keypad) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vk::Return;
    case Qt::Key_PageUp:
      return vk::PageUp;
    case Qt::Key_PageDown:
      return vk::PageDown;
    case Qt::Key_Semicolon:  // the Greek layout puts the semicolon on the Q key
      return keypad ? 0 : 'Q';
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
  if (key >= Qt::Key_0 && key <= Qt::Key_9 && !keypad) return key;
  return 0;
}

}  // namespace

VirtualKey toVirtualKey(const QKeyEvent& event) {
  VirtualKey result;
  const Qt::KeyboardModifiers mods = event.modifiers();
  const bool keypad = mods.testFlag(Qt::KeypadModifier);

  // The final sigma's key reports the capital sigma, which is another key:
  // the typed text tells the two apart.
  const QString text = event.text();
  if (text.size() == 1 && text.front() == u'ς')
    result.code = 'W';
  else if (keypad && (event.key() == Qt::Key_Comma || event.key() == Qt::Key_Period))
    result.code = keypadPointKey(event.nativeScanCode());
  else if (keypad || event.key() < 0x80 || event.key() > 0xFFFF)
    result.code = namedKey(event.key(), keypad);
  else
    result.code = greekLetterKey(char32_t(event.key()));

  if (mods.testFlag(Qt::ShiftModifier)) result.shift |= vk::ShiftMask;
  if (mods.testFlag(Qt::ControlModifier)) result.shift |= vk::CtrlMask;
  if (mods.testFlag(Qt::AltModifier)) result.shift |= vk::AltMask;
  return result;
}

int letterKey(QChar letter) {
  const char16_t c = letter.toUpper().unicode();
  if (c >= u'A' && c <= u'Z') return c;
  return greekLetterKey(letter.unicode());
}
