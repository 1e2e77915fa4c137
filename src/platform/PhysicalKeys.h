#pragma once
// Physical keys to the virtual-key codes the key tables are written in. A physical key is
// where the key sits on the keyboard, whatever the layout prints on it, so a shortcut or a
// recorded macro means the same key on every layout (the mouse sends HID usages, which are
// positions too). Keys are named by US positions.
#include <cstdint>

namespace orvane::platform {

// Physical keys are Linux evdev key codes (KEY_* of linux/input-event-codes.h): what X11
// keycodes minus 8 and Wayland key events carry. 0 when the key has no virtual-key code.
uint8_t VirtualKeyOfPhysical(uint32_t evdevCode);

// The physical key of an X11 or Wayland (xkb) keycode, which is the evdev code plus 8; 0 for
// keycodes below 8, which name no key.
uint32_t PhysicalOfXkbKeycode(uint32_t keycode);

}  // namespace orvane::platform
