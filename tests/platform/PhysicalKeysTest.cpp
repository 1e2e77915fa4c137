// Physical keys through the key tables: from where a key sits on the keyboard to the HID usage
// the mouse sends. The expected usages are written out key by key from the HID keyboard page,
// so a slip in either table (two letters swapped, a keypad row shifted) shows here.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <utility>

#include "device/KeyTables.h"
#include "platform/PhysicalKeys.h"

namespace orvane::platform {
namespace {

struct Key {
    uint32_t evdev;
    uint8_t usage;
    const char* name;
};

uint8_t usageOfPhysical(uint32_t evdev) { return keyUsage(VirtualKeyOfPhysical(evdev)); }

void expectUsages(std::initializer_list<Key> keys) {
    for (const Key& k : keys) {
        EXPECT_NE(VirtualKeyOfPhysical(k.evdev), 0) << k.name;
        EXPECT_EQ(usageOfPhysical(k.evdev), k.usage) << k.name;
    }
}

TEST(PhysicalKeys, EveryLetterReachesItsUsage) {
    expectUsages({
        {KEY_A, 0x04, "A"}, {KEY_B, 0x05, "B"}, {KEY_C, 0x06, "C"}, {KEY_D, 0x07, "D"}, {KEY_E, 0x08, "E"},
        {KEY_F, 0x09, "F"}, {KEY_G, 0x0A, "G"}, {KEY_H, 0x0B, "H"}, {KEY_I, 0x0C, "I"}, {KEY_J, 0x0D, "J"},
        {KEY_K, 0x0E, "K"}, {KEY_L, 0x0F, "L"}, {KEY_M, 0x10, "M"}, {KEY_N, 0x11, "N"}, {KEY_O, 0x12, "O"},
        {KEY_P, 0x13, "P"}, {KEY_Q, 0x14, "Q"}, {KEY_R, 0x15, "R"}, {KEY_S, 0x16, "S"}, {KEY_T, 0x17, "T"},
        {KEY_U, 0x18, "U"}, {KEY_V, 0x19, "V"}, {KEY_W, 0x1A, "W"}, {KEY_X, 0x1B, "X"}, {KEY_Y, 0x1C, "Y"},
        {KEY_Z, 0x1D, "Z"},
    });
    // The letters are named by their own letter.
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_Q)), u"Q");
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_M)), u"M");
}

TEST(PhysicalKeys, EveryDigitAndFunctionKeyReachesItsUsage) {
    expectUsages({
        {KEY_1, 0x1E, "1"}, {KEY_2, 0x1F, "2"}, {KEY_3, 0x20, "3"}, {KEY_4, 0x21, "4"}, {KEY_5, 0x22, "5"},
        {KEY_6, 0x23, "6"}, {KEY_7, 0x24, "7"}, {KEY_8, 0x25, "8"}, {KEY_9, 0x26, "9"}, {KEY_0, 0x27, "0"},
        {KEY_F1, 0x3A, "F1"}, {KEY_F2, 0x3B, "F2"}, {KEY_F3, 0x3C, "F3"}, {KEY_F4, 0x3D, "F4"},
        {KEY_F5, 0x3E, "F5"}, {KEY_F6, 0x3F, "F6"}, {KEY_F7, 0x40, "F7"}, {KEY_F8, 0x41, "F8"},
        {KEY_F9, 0x42, "F9"}, {KEY_F10, 0x43, "F10"}, {KEY_F11, 0x44, "F11"}, {KEY_F12, 0x45, "F12"},
    });
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_0)), u"0");
    // F13 to F24 have names but, in the tables, no usage.
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_F13)), u"F13");
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_F24)), u"F24");
}

TEST(PhysicalKeys, EveryKeypadKeyReachesItsUsage) {
    expectUsages({
        {KEY_NUMLOCK, 0x53, "Num Lock"}, {KEY_KPSLASH, 0x54, "keypad /"}, {KEY_KPASTERISK, 0x55, "keypad *"},
        {KEY_KPMINUS, 0x56, "keypad -"}, {KEY_KPPLUS, 0x57, "keypad +"}, {KEY_KPENTER, 0x58, "keypad Enter"},
        {KEY_KP1, 0x59, "keypad 1"}, {KEY_KP2, 0x5A, "keypad 2"}, {KEY_KP3, 0x5B, "keypad 3"},
        {KEY_KP4, 0x5C, "keypad 4"}, {KEY_KP5, 0x5D, "keypad 5"}, {KEY_KP6, 0x5E, "keypad 6"},
        {KEY_KP7, 0x5F, "keypad 7"}, {KEY_KP8, 0x60, "keypad 8"}, {KEY_KP9, 0x61, "keypad 9"},
        {KEY_KP0, 0x62, "keypad 0"}, {KEY_KPDOT, 0x63, "keypad ."},
    });
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_KP7)), u"Num7");
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_KPPLUS)), u"Add");
}

TEST(PhysicalKeys, EveryPunctuationAndOemKeyReachesItsUsage) {
    expectUsages({
        {KEY_MINUS, 0x2D, "-"}, {KEY_EQUAL, 0x2E, "="}, {KEY_LEFTBRACE, 0x2F, "["}, {KEY_RIGHTBRACE, 0x30, "]"},
        {KEY_BACKSLASH, 0x31, "\\"}, {KEY_SEMICOLON, 0x33, ";"}, {KEY_APOSTROPHE, 0x34, "'"},
        {KEY_GRAVE, 0x35, "`"}, {KEY_COMMA, 0x36, ","}, {KEY_DOT, 0x37, "."}, {KEY_SLASH, 0x38, "/"},
        {KEY_102ND, 0x64, "ISO key beside left Shift"}, {KEY_KPCOMMA, 0x85, "keypad comma"},
        {KEY_RO, 0x87, "Ro"}, {KEY_KATAKANAHIRAGANA, 0x88, "Katakana/Hiragana"}, {KEY_YEN, 0x89, "Yen"},
        {KEY_HENKAN, 0x8A, "Henkan"}, {KEY_MUHENKAN, 0x8B, "Muhenkan"}, {KEY_HANGEUL, 0x90, "Hangul"},
        {KEY_HANJA, 0x91, "Hanja"},
    });
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_COMMA)), u",");
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_GRAVE)), u"~");
}

TEST(PhysicalKeys, ControlAndNavigationKeysReachTheirUsages) {
    expectUsages({
        {KEY_ENTER, 0x28, "Enter"}, {KEY_ESC, 0x29, "Esc"}, {KEY_BACKSPACE, 0x2A, "Backspace"},
        {KEY_TAB, 0x2B, "Tab"}, {KEY_SPACE, 0x2C, "Space"}, {KEY_CAPSLOCK, 0x39, "CapsLock"},
        {KEY_SYSRQ, 0x46, "Print Screen"}, {KEY_SCROLLLOCK, 0x47, "Scroll Lock"}, {KEY_PAUSE, 0x48, "Pause"},
        {KEY_INSERT, 0x49, "Ins"}, {KEY_HOME, 0x4A, "Home"}, {KEY_PAGEUP, 0x4B, "Page Up"},
        {KEY_DELETE, 0x4C, "Del"}, {KEY_END, 0x4D, "End"}, {KEY_PAGEDOWN, 0x4E, "Page Down"},
        {KEY_RIGHT, 0x4F, "Right"}, {KEY_LEFT, 0x50, "Left"}, {KEY_DOWN, 0x51, "Down"}, {KEY_UP, 0x52, "Up"},
        {KEY_COMPOSE, 0x65, "App"},
    });
}

TEST(PhysicalKeys, ModifiersKeepTheirSide) {
    expectUsages({
        {KEY_LEFTCTRL, 0xE0, "Ctrl_L"}, {KEY_LEFTSHIFT, 0xE1, "Shift_L"}, {KEY_LEFTALT, 0xE2, "Alt_L"},
        {KEY_LEFTMETA, 0xE3, "Win_L"}, {KEY_RIGHTCTRL, 0xE4, "Ctrl_R"}, {KEY_RIGHTSHIFT, 0xE5, "Shift_R"},
        {KEY_RIGHTALT, 0xE6, "Alt_R"}, {KEY_RIGHTMETA, 0xE7, "Win_R"},
    });
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_RIGHTALT)), u"Alt_R");
    EXPECT_EQ(keyName(VirtualKeyOfPhysical(KEY_LEFTMETA)), u"Win_L");
}

TEST(PhysicalKeys, UnknownKeysAndXkbKeycodes) {
    EXPECT_EQ(VirtualKeyOfPhysical(0), 0);
    EXPECT_EQ(VirtualKeyOfPhysical(KEY_BRIGHTNESSUP), 0);
    EXPECT_EQ(VirtualKeyOfPhysical(KEY_MAX), 0);
    EXPECT_EQ(VirtualKeyOfPhysical(0xFFFFFFFFu), 0);
    // X11 and Wayland number keys from 8: keycode 38 is the A key, 9 is Escape.
    EXPECT_EQ(VirtualKeyOfPhysical(PhysicalOfXkbKeycode(38)), 'A');
    EXPECT_EQ(VirtualKeyOfPhysical(PhysicalOfXkbKeycode(9)), 0x1B);
    EXPECT_EQ(PhysicalOfXkbKeycode(7), 0u);
    EXPECT_EQ(PhysicalOfXkbKeycode(0), 0u);
}

}  // namespace
}  // namespace orvane::platform
