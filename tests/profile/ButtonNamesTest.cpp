#include <gtest/gtest.h>

#include "profile/ButtonNames.h"

namespace orvane {
namespace {

KeyAssignment Key(const char* name, std::array<uint8_t, 3> value) { return {fromUtf8(name), value, {}}; }

// English in use; the Chinese file's wordings were collected as the other language's.
LanguageTable EnglishWithChineseKnown() {
    LanguageTable t;
    const std::pair<int, const char*> english[] = {
        {20, "Left click"}, {26, "Fire key+"}, {27, "Triple click"}, {34, "Disabled"}, {40, "DPI up"},
        {49, "Play/Pause"}, {60, "Copy"},      {76, "Close window"}, {190, "Macro: "}};
    const std::pair<int, const char*> chinese[] = {
        {20, "左键"}, {26, "火力键+"}, {27, "三连击"}, {34, "禁用"}, {40, "DPI加"},
        {49, "播放/暂停"}, {60, "复制"}, {76, "关闭窗口"}, {190, "宏："}};
    for (auto [i, text] : english) t.SetText(i, fromUtf8(text));
    for (auto [i, text] : chinese) t.AddOtherWording(i, fromUtf8(text));
    return t;
}

TEST(ButtonNames, FixedFunctionsStoredInChineseAreShownInEnglish) {
    const LanguageTable english = EnglishWithChineseKnown();
    EXPECT_EQ(ShownButtonName(Key("左键", {0x10, 0x01, 0x00}), english), u"Left click");
    EXPECT_EQ(ShownButtonName(Key("DPI加", {0x40, 0x02, 0x00}), english), u"DPI up");
    EXPECT_EQ(ShownButtonName(Key("播放/暂停", {0x80, 0xCD, 0x00}), english), u"Play/Pause");
    EXPECT_EQ(ShownButtonName(Key("禁用", {0x00, 0x00, 0x00}), english), u"Disabled");
    EXPECT_EQ(ShownButtonName(Key("复制", {0x70, 0x01, 0x06}), english), u"Copy");
    EXPECT_EQ(ShownButtonName(Key("关闭窗口", {0x70, 0x04, 0x3D}), english), u"Close window");
    EXPECT_EQ(ShownButtonName(Key("三连击", {0x30, 0x32, 0x03}), english), u"Triple click");
    // The fire key dialog stores its entry without the "+"; any interval and count.
    EXPECT_EQ(ShownButtonName(Key("火力键", {0x30, 0x10, 0x05}), english), u"Fire key");
    EXPECT_EQ(ShownButtonName(Key("火力键", {0x30, 0x32, 0x03}), english), u"Fire key");
    // A name from no language file: the function decides where only a menu gives those bytes.
    EXPECT_EQ(ShownButtonName(Key("Linksklick", {0x10, 0x01, 0x00}), english), u"Left click");
}

TEST(ButtonNames, WhatTheUserNamedIsShownAsStored) {
    const LanguageTable english = EnglishWithChineseKnown();
    // A macro keeps its own name; only the prefix is the language's.
    EXPECT_EQ(ShownButtonName(Key("宏：我的宏", {0x90, 0x00, 0x02}), english), u"Macro: 我的宏");
    EXPECT_EQ(ShownButtonName(Key("Macro: Reload", {0x90, 0x00, 0x00}), english), u"Macro: Reload");
    EXPECT_EQ(ShownButtonName(Key("宏Reload", {0x90, 0x00, 0x00}), english), u"宏Reload");
    // A typed shortcut may have the bytes of an office or window key: its name is the keys.
    EXPECT_EQ(ShownButtonName(Key("Ctrl+C", {0x70, 0x01, 0x06}), english), u"Ctrl+C");
    EXPECT_EQ(ShownButtonName(Key("Alt+F4", {0x70, 0x04, 0x3D}), english), u"Alt+F4");
    EXPECT_EQ(ShownButtonName(Key("Ctrl+Shift+K", {0x70, 0x03, 0x0E}), english), u"Ctrl+Shift+K");
    // Bytes two functions share and a name neither language gives: left as stored.
    EXPECT_EQ(ShownButtonName(Key("Rapid", {0x30, 0x32, 0x03}), english), u"Rapid");
}

TEST(ButtonNames, ALanguageThatLacksTheEntryKeepsTheStoredName) {
    LanguageTable empty;
    EXPECT_EQ(ShownButtonName(Key("左键", {0x10, 0x01, 0x00}), empty), u"左键");
    EXPECT_EQ(ShownButtonName(Key("宏：Foo", {0x90, 0x00, 0x00}), empty), u"宏：Foo");
}

}  // namespace
}  // namespace orvane
