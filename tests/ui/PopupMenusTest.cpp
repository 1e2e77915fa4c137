#include <gtest/gtest.h>

#include "TestDialog.h"
#include "ui/CComboActionInsertPopup.h"
#include "ui/CComboPopup.h"
#include "ui/CDPIPopup.h"
#include "ui/CMacroSetPopup.h"
#include "ui/CMultimediaPopup.h"
#include "ui/COfficePopup.h"
#include "ui/CProfileRKeyPopup.h"
#include "ui/CWindowsManagePopup.h"

namespace orvane::ui {
namespace {

using platform::FakePlatform;
using platform::FakeWindow;
using test::Message;
using test::TestDialog;

constexpr uint32_t kResultMsg = 1027;
constexpr uintptr_t kCombo = 2013;

// y of the middle of item i (22 pixels each from y = 1).
constexpr int32_t itemY(int i) { return 1 + 22 * i + 11; }

struct MenuFixture : ::testing::Test {
    FakePlatform platform;
    TestDialog dlg{platform};
    LanguageTable language;
    FakeWindow* win = nullptr;

    void SetUp() override {
        for (int i = 0; i < LanguageTable::kSize; ++i) language.SetText(i, fromUtf8("T" + std::to_string(i)));
        ASSERT_TRUE(dlg.Create());
    }
    template <class P, class... Args>
    P* open(uint32_t resultMsg, Args&&... args) {
        auto* popup = static_cast<P*>(dlg.AdoptPopup(std::make_unique<P>(std::forward<Args>(args)...)));
        EXPECT_TRUE(popup->Create(&dlg, 300, 200, 300, 300, resultMsg, kCombo));
        selection = resultMsg;
        win = platform.lastWindow();
        dlg.messages.clear();
        return popup;
    }
    // Moves onto item i and clicks it; returns the messages the owner got.
    std::vector<Message> choose(int i) {
        win->moveTo(80, itemY(i));
        win->click(80, itemY(i));
        auto m = std::move(dlg.messages);
        dlg.messages.clear();
        chosen = std::move(dlg.results);
        dlg.results.clear();
        return m;
    }
    // The result that came with m, the last message of a choice.
    const PopupResult& resultOf(const Message& m) {
        EXPECT_EQ(m.msg, selection);
        EXPECT_EQ(chosen.size(), 1u);
        static const PopupResult none;
        return chosen.empty() ? none : chosen.back();
    }
    std::vector<PopupResult> chosen;
    uint32_t selection = 0;  // the selection message of the menu opened last
};

TEST_F(MenuFixture, ComboMenuListsFourteenItemsWithItsSubmenus) {
    auto* menu = open<CComboPopup>(kResultMsg, language);
    const auto& items = menu->Items();
    ASSERT_EQ(items.size(), 14u);
    EXPECT_EQ(items[0].text, u"T20");
    EXPECT_EQ(items[13].text, u"T34");
    std::vector<int> submenus;
    for (const auto& item : items)
        if (item.submenu) submenus.push_back(item.id);
    EXPECT_EQ(submenus, (std::vector<int>{6, 9, 11, 12, 13}));
    EXPECT_EQ(win->clientSize(), (Size{162, 1 + 14 * 22 + 1}));
}

TEST_F(MenuFixture, ComboMenuHoverAsksTheOwnerToOpenSubmenusOrCloseThem) {
    open<CComboPopup>(kResultMsg, language);
    for (int i : {0, 5, 8, 10, 11, 12, 13}) win->moveTo(80, itemY(i));
    EXPECT_EQ(dlg.messages, (std::vector<Message>{{1033, kCombo, 1},
                                                  {1040, kCombo, 6},
                                                  {1048, kCombo, 1},
                                                  {1043, kCombo, 11},
                                                  {1160, kCombo, 12},
                                                  {1157, kCombo, 13},
                                                  {1033, kCombo, 14}}));
}

TEST_F(MenuFixture, ComboMenuChoiceYieldsTheKeyValueAndPressOnAMouseButtonItemSignalsAtOnce) {
    open<CComboPopup>(kResultMsg, language);
    auto m = choose(3);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[1], (Message{kResultMsg, 0, 0}));  // at the press
    EXPECT_EQ(m[2].msg, kResultMsg);
    EXPECT_EQ(m[2].wParam, kCombo);
    EXPECT_EQ(resultOf(m[2]).text, u"T23");
    EXPECT_EQ(resultOf(m[2]).bytes, (std::array<uint8_t, 3>{0x10, 0x10, 0x00}));

    m = choose(7);
    ASSERT_EQ(m.back().msg, kResultMsg);
    EXPECT_EQ(resultOf(m.back()).bytes, (std::array<uint8_t, 3>{0x30, 0x32, 0x03}));
    EXPECT_EQ(m.size(), 2u);  // hover and choice only: no press signal for item 8
}

TEST_F(MenuFixture, ComboMenuDialogItemsAskForTheirDialogsAndSubmenusNeverSelect) {
    open<CComboPopup>(kResultMsg, language);
    auto m = choose(6);
    EXPECT_EQ(m.back(), (Message{1062, kCombo, 0}));
    m = choose(9);
    EXPECT_EQ(m.back(), (Message{1035, kCombo, 0}));
    for (int sub : {5, 8, 10, 11, 12})
        for (const auto& msg : choose(sub)) EXPECT_NE(msg.msg, kResultMsg) << sub;
}

TEST_F(MenuFixture, PressOnAnItemAndReleaseOutsideSelectsNothingAndDropsTheHighlight) {
    auto* menu = open<CDPIPopup>(1041, language);
    win->moveTo(80, itemY(1));
    win->press(80, itemY(1));
    win->release(80, 500);
    EXPECT_EQ(menu->HotItem(), -1);
    for (const auto& m : dlg.messages) EXPECT_NE(m.msg, 1041u);
}

TEST_F(MenuFixture, SubmenusYieldTheirKeyValues) {
    open<CDPIPopup>(1041, language);
    EXPECT_EQ(resultOf(choose(0).back()).bytes, (std::array<uint8_t, 3>{0x40, 0x02, 0x00}));
    EXPECT_EQ(resultOf(choose(2).back()).bytes, (std::array<uint8_t, 3>{0x40, 0x01, 0x00}));

    open<CMultimediaPopup>(1044, language);
    const auto m = choose(4).back();
    EXPECT_EQ(resultOf(m).text, u"T49");
    EXPECT_EQ(resultOf(m).bytes, (std::array<uint8_t, 3>{0x80, 0xCD, 0x00}));
    EXPECT_EQ(resultOf(choose(9).back()).bytes, (std::array<uint8_t, 3>{0x80, 0x92, 0x01}));

    open<COfficePopup>(1161, language);
    EXPECT_EQ(resultOf(choose(7).back()).bytes, (std::array<uint8_t, 3>{0x70, 0x08, 0x08}));

    open<CWindowsManagePopup>(1158, language);
    EXPECT_EQ(resultOf(choose(0).back()).bytes, (std::array<uint8_t, 3>{0x80, 0x94, 0x01}));
    EXPECT_EQ(resultOf(choose(1).back()).text, u"T76");
}

TEST_F(MenuFixture, ProfileAndInsertMenusYieldOneByte) {
    open<CProfileRKeyPopup>(1164, language);
    auto r = resultOf(choose(3).back());
    EXPECT_EQ(r.text, u"T93");
    EXPECT_EQ(r.byteCount, 1);
    EXPECT_EQ(r.bytes[0], 3);

    auto* insert = open<CComboActionInsertPopup>(1167, language);
    EXPECT_EQ(insert->Items().at(0).rect.right, 117);
    EXPECT_EQ(insert->Items().at(3).text, u"T205");
    r = resultOf(choose(4).back());
    EXPECT_EQ(r.text, u"T206");
    EXPECT_EQ(r.bytes[0], 4);
}

TEST_F(MenuFixture, LosingActivationSendsTheMessageOfEachMenuType) {
    struct Case {
        uint32_t msg;
        intptr_t type;
    };
    std::vector<Case> seen;
    auto deactivate = [&] {
        win->setActive(false);
        ASSERT_FALSE(dlg.messages.empty());
        seen.push_back({dlg.messages.back().msg, dlg.messages.back().lParam});
    };
    open<CComboPopup>(1027, language), deactivate();
    open<CDPIPopup>(1041, language), deactivate();
    open<CMultimediaPopup>(1044, language), deactivate();
    open<CWindowsManagePopup>(1158, language), deactivate();
    open<COfficePopup>(1161, language), deactivate();
    open<CProfileRKeyPopup>(1164, language), deactivate();
    open<CComboActionInsertPopup>(1167, language), deactivate();
    std::vector<uint32_t> msgs;
    std::vector<intptr_t> types;
    for (const auto& c : seen) msgs.push_back(c.msg), types.push_back(c.type);
    EXPECT_EQ(msgs, (std::vector<uint32_t>{1029, 1042, 1045, 1159, 1162, 1165, 1168}));
    EXPECT_EQ(types, (std::vector<intptr_t>{0, 2, 3, 11, 12, 13, 14}));
}

struct MacroMenuTest : MenuFixture {
    MacroLibrary library;
    void SetUp() override {
        MenuFixture::SetUp();
        library.AddSet(u"A").AddKey(u"One");
        library.AddSet(u"B");
        MacroSet& third = library.AddSet(u"C");
        third.AddKey(u"Alpha");
        third.AddKey(u"Beta");
    }
};

TEST_F(MacroMenuTest, ChoosingAKeyYieldsItsNameAndTheMacroKeyValue) {
    auto* menu = open<CMacroSetPopup>(1052, language, library, 2);
    ASSERT_EQ(menu->Items().size(), 2u);
    EXPECT_EQ(menu->Items()[1].text, u"Beta");
    const auto m = choose(1).back();
    EXPECT_EQ(m.msg, 1052u);
    EXPECT_EQ(resultOf(m).text, u"T190Beta");
    EXPECT_EQ(resultOf(m).bytes, (std::array<uint8_t, 3>{0x90, 0x02, 0x01}));
}

TEST_F(MacroMenuTest, DeactivatingTheMenuOfSetTwoSends1050With102) {
    open<CMacroSetPopup>(1052, language, library, 2);
    win->setActive(false);
    EXPECT_EQ(dlg.messages.back(), (Message{1050, kCombo, 102}));
}

TEST_F(MacroMenuTest, PlainLookHighlightsTheHotItemAndAKeyDeletedMeanwhileIsNotChosen) {
    auto* menu = open<CMacroSetPopup>(1052, language, library, 2);
    win->moveTo(80, itemY(0));
    const auto& p = win->paint();
    const auto fills = p.opsOf(platform::PaintOp::Kind::Fill);
    ASSERT_GE(fills.size(), 2u);
    EXPECT_EQ(fills[1].rect, menu->Items()[0].rect);
    EXPECT_EQ(fills[1].color, bgr(0xDEA035));
    library.FindSet(2)->DeleteKey(1);
    for (const auto& m : choose(1)) EXPECT_NE(m.msg, 1052u);
}

TEST_F(MacroMenuTest, MissingSetGivesAnEmptyMenu) {
    auto* menu = open<CMacroSetPopup>(1052, language, library, 9);
    EXPECT_TRUE(menu->Items().empty());
}

}  // namespace
}  // namespace orvane::ui
