#pragma once
// Pointer and key events as windows receive them. Positions are client coordinates.
#include <cstdint>

#include "base/Text.h"
#include "platform/Geometry.h"

namespace orvane::platform {

enum class PointerKind {
    Move,
    LeftDown,
    LeftUp,
    LeftDoubleClick,
    RightDown,
    RightUp,
    Leave,  // only after Window::trackPointer, once per request
    Hover,  // only after Window::trackPointer: the pointer rested for the hover time
    Wheel,  // the wheel turned; wheelDelta says how far
};

// Button and modifier state carried with pointer events (the handlers' "flags").
inline constexpr uint32_t kButtonLeft = 0x0001;
inline constexpr uint32_t kButtonRight = 0x0002;
inline constexpr uint32_t kModShift = 0x0004;
inline constexpr uint32_t kModControl = 0x0008;
inline constexpr uint32_t kButtonMiddle = 0x0010;

struct PointerEvent {
    PointerKind kind = PointerKind::Move;
    Point pos;
    uint32_t flags = 0;
    // Wheel only: 120 per notch, positive when turned away from the user.
    int32_t wheelDelta = 0;
};

// Modifier keys held with a key event.
inline constexpr uint32_t kKeyModCtrl = 0x01;
inline constexpr uint32_t kKeyModShift = 0x02;
inline constexpr uint32_t kKeyModAlt = 0x04;
inline constexpr uint32_t kKeyModWin = 0x08;

// Keys are named by the virtual-key codes the key tables use (0x0D Enter, 0x1B Escape, 'A'..'Z',
// '0'..'9', 0x70.. F1..). When the desktop tells which physical key it was (its evdev code,
// PhysicalKeys.h), the code is that key's, whatever the keyboard layout; otherwise the Qt layer
// translates the key the layout produced.
struct KeyEvent {
    bool down = true;
    uint32_t vk = 0;
    bool autoRepeat = false;
    uint32_t physical = 0;  // evdev key code, 0 when unknown
    uint32_t mods = 0;      // kKeyMod* held
    Text text;              // the characters the key typed, if any
};

inline constexpr uint32_t kVkReturn = 0x0D;
inline constexpr uint32_t kVkEscape = 0x1B;
inline constexpr uint32_t kVkTab = 0x09;
inline constexpr uint32_t kVkSpace = 0x20;
inline constexpr uint32_t kVkPageUp = 0x21;
inline constexpr uint32_t kVkPageDown = 0x22;
inline constexpr uint32_t kVkEnd = 0x23;
inline constexpr uint32_t kVkHome = 0x24;
inline constexpr uint32_t kVkLeft = 0x25;
inline constexpr uint32_t kVkUp = 0x26;
inline constexpr uint32_t kVkRight = 0x27;
inline constexpr uint32_t kVkDown = 0x28;
inline constexpr uint32_t kVkDelete = 0x2E;

}  // namespace orvane::platform
