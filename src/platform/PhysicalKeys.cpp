#include "platform/PhysicalKeys.h"

#include <linux/input-event-codes.h>

#include <array>
#include <cstddef>
#include <utility>

namespace orvane::platform {

namespace {

// Virtual-key codes by position. Where the key tables give a key two codes (the generic Ctrl,
// Shift and Alt codes and their left and right ones) the sided code is used: only it has a HID
// usage. Keys whose Windows code the tables use for something else (the ISO key beside the
// left Shift, the keypad's Enter, the Japanese and Korean keys) get the codes the usage table
// gives their usages.
constexpr std::pair<uint16_t, uint8_t> kKeys[] = {
    // Main block, row by row.
    {KEY_ESC, 0x1B},
    {KEY_GRAVE, 0xC0},
    {KEY_1, '1'}, {KEY_2, '2'}, {KEY_3, '3'}, {KEY_4, '4'}, {KEY_5, '5'},
    {KEY_6, '6'}, {KEY_7, '7'}, {KEY_8, '8'}, {KEY_9, '9'}, {KEY_0, '0'},
    {KEY_MINUS, 0xBD}, {KEY_EQUAL, 0xBB}, {KEY_BACKSPACE, 0x08},
    {KEY_TAB, 0x09},
    {KEY_Q, 'Q'}, {KEY_W, 'W'}, {KEY_E, 'E'}, {KEY_R, 'R'}, {KEY_T, 'T'},
    {KEY_Y, 'Y'}, {KEY_U, 'U'}, {KEY_I, 'I'}, {KEY_O, 'O'}, {KEY_P, 'P'},
    {KEY_LEFTBRACE, 0xDB}, {KEY_RIGHTBRACE, 0xDD}, {KEY_BACKSLASH, 0xDC},
    {KEY_CAPSLOCK, 0x14},
    {KEY_A, 'A'}, {KEY_S, 'S'}, {KEY_D, 'D'}, {KEY_F, 'F'}, {KEY_G, 'G'},
    {KEY_H, 'H'}, {KEY_J, 'J'}, {KEY_K, 'K'}, {KEY_L, 'L'},
    {KEY_SEMICOLON, 0xBA}, {KEY_APOSTROPHE, 0xDE}, {KEY_ENTER, 0x0D},
    {KEY_LEFTSHIFT, 0xA0}, {KEY_102ND, 0xF3},
    {KEY_Z, 'Z'}, {KEY_X, 'X'}, {KEY_C, 'C'}, {KEY_V, 'V'}, {KEY_B, 'B'},
    {KEY_N, 'N'}, {KEY_M, 'M'},
    {KEY_COMMA, 0xBC}, {KEY_DOT, 0xBE}, {KEY_SLASH, 0xBF}, {KEY_RIGHTSHIFT, 0xA1},
    {KEY_LEFTCTRL, 0xA2}, {KEY_LEFTMETA, 0x5B}, {KEY_LEFTALT, 0xA4}, {KEY_SPACE, 0x20},
    {KEY_RIGHTALT, 0xA5}, {KEY_RIGHTMETA, 0x5C}, {KEY_COMPOSE, 0x5D}, {KEY_RIGHTCTRL, 0xA3},

    // Function keys.
    {KEY_F1, 0x70}, {KEY_F2, 0x71}, {KEY_F3, 0x72}, {KEY_F4, 0x73},
    {KEY_F5, 0x74}, {KEY_F6, 0x75}, {KEY_F7, 0x76}, {KEY_F8, 0x77},
    {KEY_F9, 0x78}, {KEY_F10, 0x79}, {KEY_F11, 0x7A}, {KEY_F12, 0x7B},
    {KEY_F13, 0x7C}, {KEY_F14, 0x7D}, {KEY_F15, 0x7E}, {KEY_F16, 0x7F},
    {KEY_F17, 0x80}, {KEY_F18, 0x81}, {KEY_F19, 0x82}, {KEY_F20, 0x83},
    {KEY_F21, 0x84}, {KEY_F22, 0x85}, {KEY_F23, 0x86}, {KEY_F24, 0x87},

    // Above and beside the arrows.
    {KEY_SYSRQ, 0x2C}, {KEY_SCROLLLOCK, 0x91}, {KEY_PAUSE, 0x13},
    {KEY_INSERT, 0x2D}, {KEY_HOME, 0x24}, {KEY_PAGEUP, 0x21},
    {KEY_DELETE, 0x2E}, {KEY_END, 0x23}, {KEY_PAGEDOWN, 0x22},
    {KEY_UP, 0x26}, {KEY_LEFT, 0x25}, {KEY_DOWN, 0x28}, {KEY_RIGHT, 0x27},

    // Numeric keypad (the same codes whether Num Lock is on or not: these are positions).
    {KEY_NUMLOCK, 0x90}, {KEY_KPSLASH, 0x6F}, {KEY_KPASTERISK, 0x6A}, {KEY_KPMINUS, 0x6D},
    {KEY_KP7, 0x67}, {KEY_KP8, 0x68}, {KEY_KP9, 0x69}, {KEY_KPPLUS, 0x6B},
    {KEY_KP4, 0x64}, {KEY_KP5, 0x65}, {KEY_KP6, 0x66},
    {KEY_KP1, 0x61}, {KEY_KP2, 0x62}, {KEY_KP3, 0x63}, {KEY_KPENTER, 0x0E},
    {KEY_KP0, 0x60}, {KEY_KPDOT, 0x6E},

    // Keys of Japanese, Brazilian and Korean keyboards.
    {KEY_KPCOMMA, 0xF4}, {KEY_RO, 0xF5}, {KEY_KATAKANAHIRAGANA, 0xF6}, {KEY_YEN, 0xF7},
    {KEY_HENKAN, 0xF8}, {KEY_MUHENKAN, 0xF9}, {KEY_HANGEUL, 0xFA}, {KEY_HANJA, 0xFB},

    // Media and system keys, with their Windows codes (the key tables give them no usage).
    {KEY_MUTE, 0xAD}, {KEY_VOLUMEDOWN, 0xAE}, {KEY_VOLUMEUP, 0xAF},
    {KEY_NEXTSONG, 0xB0}, {KEY_PREVIOUSSONG, 0xB1}, {KEY_STOPCD, 0xB2}, {KEY_PLAYPAUSE, 0xB3},
    {KEY_SLEEP, 0x5F},
};

constexpr size_t kTableSize = 256;

constexpr std::array<uint8_t, kTableSize> buildTable() {
    std::array<uint8_t, kTableSize> table{};
    for (const auto& [code, vk] : kKeys) table[code] = vk;
    return table;
}

constexpr std::array<uint8_t, kTableSize> kTable = buildTable();

// Every key above is in range and listed once.
constexpr bool everyKeyListedOnce() {
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        if (kKeys[i].first == 0 || kKeys[i].first >= kTableSize) return false;
        for (size_t j = i + 1; j < std::size(kKeys); ++j)
            if (kKeys[i].first == kKeys[j].first) return false;
    }
    return true;
}
static_assert(everyKeyListedOnce());

}  // namespace

uint8_t VirtualKeyOfPhysical(uint32_t evdevCode) { return evdevCode < kTableSize ? kTable[evdevCode] : 0; }

uint32_t PhysicalOfXkbKeycode(uint32_t keycode) { return keycode >= 8 ? keycode - 8 : 0; }

}  // namespace orvane::platform
