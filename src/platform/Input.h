#pragma once
// Pointer and key events as windows receive them. Positions are client coordinates.
#include <cstdint>

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
};

// Keys are named by the virtual-key codes the key tables use (0x0D Enter, 0x1B Escape, 'A'..'Z',
// '0'..'9', 0x70.. F1..); the Qt layer translates.
struct KeyEvent {
    bool down = true;
    uint32_t vk = 0;
    bool autoRepeat = false;
};

inline constexpr uint32_t kVkReturn = 0x0D;
inline constexpr uint32_t kVkEscape = 0x1B;

}  // namespace orvane::platform
