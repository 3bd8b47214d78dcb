#include <gtest/gtest.h>

#include <QKeyEvent>

#include "platform/keys/Keys.h"

using namespace Qt::StringLiterals;

namespace {

struct KeyRow {
  int qtKey;
  Qt::KeyboardModifiers mods;
  QString text;
  int code;
  int shift;
  quint32 scanCode = 0;  // as the window system numbers the physical key; 0 for none
};

VirtualKey press(const KeyRow& row) {
  QKeyEvent event(QEvent::KeyPress, row.qtKey, row.mods, row.scanCode, 0, 0, row.text);
  return toVirtualKey(event);
}

void expectRows(const std::vector<KeyRow>& rows) {
  for (const KeyRow& row : rows) {
    const VirtualKey got = press(row);
    EXPECT_EQ(got.code, row.code) << "Qt key 0x" << std::hex << row.qtKey << " text " << row.text.toStdString();
    EXPECT_EQ(got.shift, row.shift) << "Qt key 0x" << std::hex << row.qtKey << " modifiers " << int(row.mods);
  }
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

}  // namespace

TEST(Keys, NamedKeysGiveTheirCodes) {
  expectRows({
      {Qt::Key_Return, kNone, u"\r"_s, 13, 0},
      {Qt::Key_Enter, kPad, u"\r"_s, 13, 0},
      {Qt::Key_PageUp, kNone, {}, 33, 0},
      {Qt::Key_PageDown, kNone, {}, 34, 0},
      {Qt::Key_F1, kNone, {}, 112, 0},
      {Qt::Key_F10, kNone, {}, 121, 0},
      {Qt::Key_F12, kNone, {}, 123, 0},
      {Qt::Key_A, kNone, u"a"_s, 65, 0},
      {Qt::Key_Z, kNone, u"z"_s, 90, 0},
  });
}

// The X and Wayland numbers of the keypad's decimal key and of the keypad
// comma key that some keyboards add beside it.
constexpr quint32 kDecimalKey = 91;
constexpr quint32 kKeypadCommaKey = 129;

TEST(Keys, KeypadDecimalKeyIs110UnderEveryLayoutAndOnlyASeparatorKeyIs108) {
  expectRows({
      // The decimal key: a point under the US layout, a comma under the Greek.
      {Qt::Key_Period, kPad, u"."_s, 110, 0, kDecimalKey},
      {Qt::Key_Comma, kPad, u","_s, 110, 0, kDecimalKey},
      {Qt::Key_Period, kPad | Qt::ShiftModifier, u"."_s, 110, 1, kDecimalKey},
      // A key press without a physical key is the one every keypad has.
      {Qt::Key_Period, kPad, u"."_s, 110, 0},
      {Qt::Key_Comma, kPad, u","_s, 110, 0},
      // A keypad point or comma key of its own.
      {Qt::Key_Period, kPad, u"."_s, 108, 0, kKeypadCommaKey},
      {Qt::Key_Comma, kPad, u","_s, 108, 0, kKeypadCommaKey},
      // With Num Lock off the decimal key is Delete.
      {Qt::Key_Delete, kPad, {}, 46, 0, kDecimalKey},
      {Qt::Key_Comma, kNone, u","_s, 0, 0},
      {Qt::Key_Period, kNone, u"."_s, 0, 0},
      // The keypad's digits are not the main row's digits.
      {Qt::Key_1, kPad, u"1"_s, 0, 0},
      {Qt::Key_1, kNone, u"1"_s, 49, 0},
  });
}

TEST(Keys, ModifiersAddUpAndIgnoreMetaAndKeypad) {
  expectRows({
      {Qt::Key_H, Qt::ShiftModifier, u"H"_s, 72, 1},
      {Qt::Key_A, Qt::ControlModifier, u"\x01"_s, 65, 2},
      {Qt::Key_X, kAlt, u"x"_s, 88, 4},
      {Qt::Key_H, Qt::AltModifier | Qt::ShiftModifier, u"H"_s, 72, 5},
      {Qt::Key_H, Qt::AltModifier | Qt::ControlModifier, {}, 72, 6},
      {Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, {}, 34, 7},
      {Qt::Key_S, Qt::AltModifier | Qt::MetaModifier, u"s"_s, 83, 4},
      {Qt::Key_Enter, Qt::KeypadModifier | Qt::ShiftModifier, u"\r"_s, 13, 1},
  });
}

TEST(Keys, GreekCapitalsMapToTheirLatinKeys) {
  const QString greek = u"ΑΒΨΔΕΦΓΗΙΞΚΛΜΝΟΠΡΣΤΘΩΧΥΖ"_s;
  const QString latin = u"ABCDEFGHIJKLMNOPRSTUVXYZ"_s;
  ASSERT_EQ(greek.size(), latin.size());
  for (qsizetype i = 0; i < greek.size(); ++i) {
    QKeyEvent event(QEvent::KeyPress, greek[i].unicode(), Qt::AltModifier, QString(greek[i].toLower()));
    const VirtualKey got = toVirtualKey(event);
    EXPECT_EQ(got.code, latin[i].unicode()) << "Greek " << QString(greek[i]).toStdString();
    EXPECT_EQ(got.shift, 4);
  }
}

TEST(Keys, GreekSmallAccentedLettersAndTheQAndWKeys) {
  expectRows({
      // Small letters, as a layout may report the key by its character.
      {0x03B7, kAlt, u"η"_s, 'H', 4},
      {0x03C9, kAlt, u"ω"_s, 'V', 4},
      {0x03C3, kAlt, u"σ"_s, 'S', 4},
      // The final sigma's key is W, although its capital is Σ (S).
      {0x03A3, kAlt, u"ς"_s, 'W', 4},
      {0x03C2, kNone, u"ς"_s, 'W', 0},
      // As the Greek layout reports them: Ctrl+A, and Shift on the W key,
      // whose capital is the sigma and so cannot be told from Shift+S.
      {0x0391, Qt::ControlModifier, u"α"_s, 'A', 2},
      {0x03A3, Qt::ShiftModifier, u"Σ"_s, 'S', 1},
      // The semicolon (and the Greek question mark) sit on the Q key.
      {Qt::Key_Semicolon, kNone, u";"_s, 'Q', 0},
      {0x037E, kNone, u"\u037E"_s, 'Q', 0},
      // Accented forms keep the letter's key.
      {0x0386, kNone, u"Ά"_s, 'A', 0},
      {0x03AC, kNone, u"ά"_s, 'A', 0},
      {0x03AD, kNone, u"έ"_s, 'E', 0},
      {0x03AE, kNone, u"ή"_s, 'H', 0},
      {0x03AF, kNone, u"ί"_s, 'I', 0},
      {0x0390, kNone, u"ΐ"_s, 'I', 0},
      {0x03CC, kNone, u"ό"_s, 'O', 0},
      {0x03CD, kNone, u"ύ"_s, 'Y', 0},
      {0x03CB, kNone, u"ϋ"_s, 'Y', 0},
      {0x038F, kNone, u"Ώ"_s, 'V', 0},
      {0x03CE, kNone, u"ώ"_s, 'V', 0},
  });
}

TEST(Keys, OtherCharactersGiveNoLetter) {
  expectRows({
      {0x00E9, kAlt, u"é"_s, 0, 4},
      {0x03A2, kNone, {}, 0, 0},
      {0x0410, kNone, u"А"_s, 0, 0},  // Cyrillic A is not the A key
      {Qt::Key_unknown, kNone, {}, 0, 0},
  });
}
