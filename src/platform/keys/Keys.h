#pragma once

#include <QChar>

class QKeyEvent;

// A key press as the key maps compare it: the virtual-key code (13 Enter,
// 33 Page Up, 34 Page Down, 65-90 A-Z, 108 keypad separator, 110 keypad
// decimal key, 112-123 F1-F12)
// and the modifiers held (1 Shift, 2 Ctrl, 4 Alt, added together).
struct VirtualKey {
  int code = 0;
  int shift = 0;
};

namespace vk {
constexpr int Return = 13;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int Separator = 108;
constexpr int Decimal = 110;
constexpr int ShiftMask = 1;
constexpr int CtrlMask = 2;
constexpr int AltMask = 4;
}  // namespace vk

// Greek-layout letters map to their Latin key positions (Η to H, Ω to V,
// Σ to S, ...), so Alt+Η and Alt+H are the same key. The keypad's decimal key
// is 110 whether the layout gives it a point (US) or a comma (Greek); 108 is
// a keypad comma or point key of its own, such as some keyboards have.
VirtualKey toVirtualKey(const QKeyEvent& event);

// The key that carries `letter` under the Latin or the Greek layout, as its
// Latin capital ('A' to 'Z'); 0 for any other character.
int letterKey(QChar letter);
