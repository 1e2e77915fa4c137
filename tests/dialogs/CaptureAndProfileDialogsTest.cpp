// The fire key and shortcut dialogs, which build a button function and send it to their parent,
// and the profile add and edit dialogs, which name a profile.
#include <gtest/gtest.h>

#include "dialogs/CAddProfileDlg.h"
#include "dialogs/CAttentionDlg.h"
#include "dialogs/CEditProfileDlg.h"
#include "dialogs/CFireKeyDlg.h"
#include "dialogs/CShortcutDlg.h"
#include "dialogs/PopupWindowTable.h"
#include "platform/FakeEditField.h"
#include "platform/FakePlatform.h"
#include "ui/CCheckButton.h"
#include "ui/CEditControl.h"
#include "ui/CStaticText.h"

namespace orvane::dialogs {
namespace {

using platform::FakeWindow;
using platform::KeyEvent;
using Bytes = std::array<uint8_t, 3>;

constexpr uint32_t kResultMsg = 1063;

// The parent: remembers every result sent to it.
class Parent : public ui::CDlgBase {
public:
    using CDlgBase::CDlgBase;
    void DrawWindow(Painter&, const Rect&) override {}
    void CreateControls(const Rect&) override {}
    intptr_t OnResult(uint32_t msg, uintptr_t wParam, const ui::PopupResult& result) override {
        if (msg == kResultMsg) {
            EXPECT_EQ(wParam, kIdOkButton);
            results.push_back(result);
        }
        return 0;
    }
    std::vector<ui::PopupResult> results;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i : {4, 5, 26, 141, 144, 147, 153, 154, 170, 174, 175, 176, 180, 346})
            language_.SetText(i, u"T" + fromUtf8(std::to_string(i)));
        language_.SetText(26, u"Fire key+");
        ASSERT_TRUE(parent_.Create());
        // Every modal run: an attention dialog is recorded and answered; the dialog under test
        // is driven by `user`.
        platform_.onModal = [this](FakeWindow& w) {
            if (auto* a = dynamic_cast<CAttentionDlg*>(&w.host())) {
                notices_.push_back(a->Message());
                return;
            }
            if (user) user(w, static_cast<ui::CDlgBase&>(w.host()));
        };
    }
    static void clickOn(FakeWindow& w, ui::CDlgBase& d, uint32_t id) {
        const auto r = d.FindControl(id)->GetRect();
        w.click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    static platform::FakeEditField& field(ui::CEditControl* c) {
        return *static_cast<platform::FakeEditField*>(c->Field());
    }
    void tick(int ms) {
        platform_.clock().advanceMs(ms);
        platform_.clock().runPending();
    }

    platform::FakePlatform platform_;
    LanguageTable language_;
    Parent parent_{platform_};
    std::vector<Text> notices_;
    std::function<void(FakeWindow&, ui::CDlgBase&)> user;
};

// ---- Fire key ----

TEST_F(DialogTest, FireKeyOkSendsTheTwoNumbersAsTheFunction) {
    user = [&](FakeWindow& w, ui::CDlgBase& d) { clickOn(w, d, kIdOkButton); };
    CFireKeyDlg dlg(platform_, &parent_, language_, kResultMsg);
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].text, u"Fire key");  // the trailing "+" goes
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x30, 50, 0}));
    EXPECT_EQ(PopupWindowTable::instance().count(), 0u);
}

TEST_F(DialogTest, FireKeyNumbersAboveTheByteBecome255WithTheirNotices) {
    CFireKeyDlg* d = nullptr;
    user = [&](FakeWindow& w, ui::CDlgBase& dlg) {
        d = static_cast<CFireKeyDlg*>(&dlg);
        field(d->Interval()).setText({});
        field(d->Interval()).type(u"300");
        field(d->Count()).setText({});
        field(d->Count()).type(u"256");
        tick(CFireKeyDlg::kCheckMs);
        EXPECT_EQ(d->Interval()->GetText(), u"255");
        EXPECT_EQ(d->Count()->GetText(), u"255");
        tick(CFireKeyDlg::kCheckMs);  // the next tick finds nothing to correct
        clickOn(w, dlg, kIdOkButton);
    };
    CFireKeyDlg dlg(platform_, &parent_, language_, kResultMsg);
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(notices_, (std::vector<Text>{u"T174", u"T176"}));
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x30, 255, 255}));
}

// 256 is the first interval a byte cannot carry: sent as is it would reach the mouse as 0.
TEST_F(DialogTest, FireKeyIntervalOf256IsTooLargeAlready) {
    user = [&](FakeWindow& w, ui::CDlgBase& dlg) {
        auto& d = static_cast<CFireKeyDlg&>(dlg);
        field(d.Interval()).setText(u"255");
        tick(CFireKeyDlg::kCheckMs);
        EXPECT_TRUE(notices_.empty());
        field(d.Interval()).setText(u"256");
        tick(CFireKeyDlg::kCheckMs);
        EXPECT_EQ(d.Interval()->GetText(), u"255");
        clickOn(w, dlg, kIdOkButton);
    };
    CFireKeyDlg dlg(platform_, &parent_, language_, kResultMsg);
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(notices_, (std::vector<Text>{u"T174"}));
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x30, 255, 0}));
}

TEST_F(DialogTest, FireKeyOkRefusesAnIntervalOfFourOrLessAndATooLargeOneWaitingForItsTick) {
    int stillOpen = 0;
    user = [&](FakeWindow& w, ui::CDlgBase& dlg) {
        auto& d = static_cast<CFireKeyDlg&>(dlg);
        field(d.Interval()).setText(u"4");
        clickOn(w, dlg, kIdOkButton);
        stillOpen += w.inModal();
        // Typed and confirmed before the check ran: corrected, not sent as 300 & 0xFF.
        field(d.Interval()).setText(u"300");
        clickOn(w, dlg, kIdOkButton);
        stillOpen += w.inModal();
        EXPECT_EQ(d.Interval()->GetText(), u"255");
        field(d.Interval()).setText(u"5");  // the shortest interval taken
        clickOn(w, dlg, kIdOkButton);
    };
    CFireKeyDlg dlg(platform_, &parent_, language_, kResultMsg);
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(stillOpen, 2);
    EXPECT_EQ(notices_, (std::vector<Text>{u"T174", u"T174"}));
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x30, 5, 0}));
}

TEST_F(DialogTest, FireKeyFieldsTakeDigitsAndSayOnceWhenSomethingElseIsTyped) {
    user = [&](FakeWindow& w, ui::CDlgBase& dlg) {
        auto& d = static_cast<CFireKeyDlg&>(dlg);
        field(d.Interval()).type(u"\b\b7x\b");
        platform_.clock().runPending();
        // Enter and Escape close nothing.
        EXPECT_FALSE(field(d.Interval()).key(platform::kVkReturn) && !w.inModal());
        w.key(platform::kVkEscape);
        EXPECT_TRUE(w.inModal());
        clickOn(w, dlg, kIdOkButton);
    };
    CFireKeyDlg dlg(platform_, &parent_, language_, kResultMsg);
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(notices_, (std::vector<Text>{u"T175"}));
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x30, 7, 0}));
}

TEST(FireKeyNumbers, LeadingDigitsCount) {
    EXPECT_EQ(FieldNumber(u"12ab"), 12);
    EXPECT_EQ(FieldNumber(u"x5"), 0);
    EXPECT_EQ(FieldNumber(u""), 0);
    EXPECT_GT(FieldNumber(u"99999999999999999999"), 255);
    EXPECT_GT(FieldNumber(u"4294967296"), 255);  // 2^32: never wraps to a small number
}

// ---- Shortcut ----

KeyEvent keyDown(uint32_t vk, uint32_t mods = 0) { return KeyEvent{true, vk, false, 0, mods, {}}; }

class ShortcutTest : public DialogTest {
protected:
    void run(std::function<void(FakeWindow&, CShortcutDlg&)> steps) {
        user = [steps](FakeWindow& w, ui::CDlgBase& d) { steps(w, static_cast<CShortcutDlg&>(d)); };
        CShortcutDlg dlg(platform_, &parent_, language_, kResultMsg);
        (void)dlg.DoModal();
    }
};

TEST_F(ShortcutTest, TheTickedBoxesAndTheKeyMakeTheCombination) {
    run([&](FakeWindow& w, CShortcutDlg& d) {
        // Until a key is pressed its place asks for one, dimmer than a key's name.
        auto* name = d.FindControlAs<ui::CStaticText>(CShortcutDlg::kIdKeyName);
        EXPECT_EQ(name->Label(), u"T346");
        const uint32_t promptColour = name->TextColour();
        clickOn(w, d, CShortcutDlg::kIdCtrl);
        clickOn(w, d, CShortcutDlg::kIdAlt);
        w.key(keyDown('A'));
        w.key(KeyEvent{false, 'A', false, 0, 0, {}});
        EXPECT_EQ(name->Label(), u"A");
        EXPECT_NE(name->TextColour(), promptColour);
        clickOn(w, d, kIdOkButton);
    });
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].text, u"Ctrl+Alt+A");
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x70, 0x05, 0x04}));
}

TEST_F(ShortcutTest, KeysTheMouseCannotSendAreNotTaken) {
    run([&](FakeWindow& w, CShortcutDlg& d) {
        w.key(keyDown('B'));
        // F13, F24, volume up, play/pause, the left mouse button, our macro-only L Key
        for (uint32_t vk : {0x7Cu, 0x87u, 0xAFu, 0xB3u, 0x01u, 0xE0u})
            w.key(keyDown(vk, platform::kKeyModCtrl));
        EXPECT_EQ(d.CapturedKey(), 'B');
        EXPECT_EQ(d.FindControlAs<ui::CStaticText>(CShortcutDlg::kIdKeyName)->Label(), u"B");
        EXPECT_FALSE(d.FindControlAs<ui::CCheckButton>(CShortcutDlg::kIdCtrl)->Checked());
        clickOn(w, d, kIdOkButton);
    });
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x70, 0x00, 0x05}));
}

TEST_F(ShortcutTest, ModifierKeysAloneAreNotKeysAndTheBoxesAloneAreAShortcut) {
    run([&](FakeWindow& w, CShortcutDlg& d) {
        for (uint32_t vk : {0xA0u, 0xA1u, 0xA2u, 0xA3u, 0xA4u, 0xA5u, 0x5Bu, 0x5Cu, 0x10u, 0x11u, 0x12u})
            w.key(keyDown(vk, platform::kKeyModShift));
        EXPECT_EQ(d.CapturedKey(), 0);
        EXPECT_FALSE(d.FindControlAs<ui::CCheckButton>(CShortcutDlg::kIdShift)->Checked());
        clickOn(w, d, CShortcutDlg::kIdShift);
        clickOn(w, d, kIdOkButton);
    });
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].text, u"Shift");
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x70, 0x02, 0x00}));
}

TEST_F(ShortcutTest, ACombinationTypedWithHeldModifiersTicksThoseAndEnterIsAKeyLikeAnyOther) {
    run([&](FakeWindow& w, CShortcutDlg& d) {
        clickOn(w, d, CShortcutDlg::kIdAlt);  // replaced by what is typed
        w.key(keyDown(platform::kVkReturn, platform::kKeyModCtrl | platform::kKeyModWin));
        EXPECT_TRUE(w.inModal());
        EXPECT_FALSE(d.FindControlAs<ui::CCheckButton>(CShortcutDlg::kIdAlt)->Checked());
        clickOn(w, d, kIdOkButton);
    });
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].text, u"Ctrl+Win+Enter");
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x70, 0x09, 0x28}));
}

TEST_F(ShortcutTest, NothingIsSentWithoutAKeyOrABoxOrOnCancel) {
    run([&](FakeWindow& w, CShortcutDlg& d) { clickOn(w, d, kIdOkButton); });
    run([&](FakeWindow& w, CShortcutDlg& d) {
        w.key(keyDown('Q'));
        clickOn(w, d, CShortcutDlg::kIdCancelButton);
    });
    run([&](FakeWindow& w, CShortcutDlg& d) {
        w.key(keyDown('Q'));
        clickOn(w, d, kIdClose);
    });
    EXPECT_TRUE(parent_.results.empty());
}

// ---- Profile names ----

class ProfileDialogTest : public DialogTest {
protected:
    ProfileDialogTest() {
        profile_.SetProfileName(u"Old");
        profile_.keys[0].KeyValue = {0x00, 0x00, 0x00};
        settings_.SetProfileShowCount(3);
    }
    Profile profile_;
    Settings settings_;
};

TEST_F(ProfileDialogTest, AnEmptyNameIsRefusedAndTheDialogStaysButASpaceIsAName) {
    int refusedAndOpen = 0;
    user = [&](FakeWindow& w, ui::CDlgBase& d) {
        clickOn(w, d, kIdOkButton);
        refusedAndOpen += w.inModal();
        auto& f = field(static_cast<CProfileNameDlg&>(d).NameField());
        f.type(u" ");
        f.key(platform::kVkEscape);  // swallowed
        refusedAndOpen += w.inModal();
        f.key(platform::kVkReturn);  // confirms
    };
    CAddProfileDlg dlg(platform_, &parent_, language_, profile_, settings_, 0x3370);
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(refusedAndOpen, 2);
    EXPECT_EQ(notices_, (std::vector<Text>{u"T147"}));
    EXPECT_EQ(profile_.GetProfileName(), u" ");
}

TEST_F(ProfileDialogTest, NamesTheProfileFileCouldNotCarryAreRefusedWhereTyped) {
    int open = 0;
    user = [&](FakeWindow& w, ui::CDlgBase& d) {
        auto* field = static_cast<CProfileNameDlg&>(d).NameField();
        for (const Text& bad : {Text(65, u'x'), Text(u"Tab\there"), Text(u"Two\nlines")}) {
            field->SetText(bad);
            clickOn(w, d, kIdOkButton);
            open += w.inModal();
        }
        field->SetText(Text(64, u'x'));
        clickOn(w, d, kIdOkButton);
    };
    CEditProfileDlg dlg(platform_, &parent_, language_, profile_);
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(open, 3);
    EXPECT_EQ(notices_, (std::vector<Text>{u"T153", u"T154", u"T154"}));
    EXPECT_EQ(profile_.GetProfileName(), Text(64, u'x'));
}

TEST_F(ProfileDialogTest, TheApplicationsEndClosesTheDialogWithoutAChange) {
    user = [&](FakeWindow&, ui::CDlgBase& d) {
        field(static_cast<CProfileNameDlg&>(d).NameField()).type(u"Half typed");
        EXPECT_EQ(PopupWindowTable::instance().count(), 1u);
        PopupWindowTable::instance().closeAll();
    };
    CAddProfileDlg dlg(platform_, &parent_, language_, profile_, settings_, 0x3370);
    EXPECT_EQ(dlg.DoModal(), ui::kIdCancel);
    EXPECT_EQ(profile_.GetProfileName(), u"Old");
    EXPECT_EQ(settings_.GetProfileShowCount(), 3);
    EXPECT_EQ(PopupWindowTable::instance().count(), 0u);
}

TEST_F(ProfileDialogTest, AddingResetsTheProfileNamesItAndCountsItIn) {
    user = [&](FakeWindow& w, ui::CDlgBase& d) {
        field(static_cast<CProfileNameDlg&>(d).NameField()).type(u"Racing");
        clickOn(w, d, kIdOkButton);
    };
    CAddProfileDlg dlg(platform_, &parent_, language_, profile_, settings_, 0x3370);
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(settings_.GetProfileShowCount(), 4);
    EXPECT_EQ(profile_.GetProfileName(), u"Racing");
    EXPECT_EQ(profile_.keys[0].KeyValue, (Bytes{0x10, 0x01, 0x00}));  // back to its default
}

TEST_F(ProfileDialogTest, EditingStartsFromTheNameAndCancelChangesNothing) {
    user = [&](FakeWindow& w, ui::CDlgBase& d) {
        EXPECT_EQ(static_cast<CProfileNameDlg&>(d).NameField()->GetText(), u"Old");
        clickOn(w, d, kIdOkButton);
    };
    const Profile before = profile_;
    CEditProfileDlg same(platform_, &parent_, language_, profile_);
    EXPECT_EQ(same.DoModal(), ui::kIdOk);
    EXPECT_EQ(profile_, before);

    user = [&](FakeWindow& w, ui::CDlgBase& d) {
        field(static_cast<CProfileNameDlg&>(d).NameField()).type(u"er");
        clickOn(w, d, CProfileNameDlg::kIdCancelButton);
    };
    CEditProfileDlg cancelled(platform_, &parent_, language_, profile_);
    EXPECT_EQ(cancelled.DoModal(), ui::kIdCancel);
    EXPECT_EQ(profile_, before);

    user = [&](FakeWindow& w, ui::CDlgBase& d) {
        field(static_cast<CProfileNameDlg&>(d).NameField()).type(u"er");
        clickOn(w, d, kIdOkButton);
    };
    CEditProfileDlg renamed(platform_, &parent_, language_, profile_);
    EXPECT_EQ(renamed.DoModal(), ui::kIdOk);
    EXPECT_EQ(profile_.GetProfileName(), u"Older");
    EXPECT_EQ(profile_.keys, before.keys);
    EXPECT_EQ(settings_.GetProfileShowCount(), 3);
}

}  // namespace
}  // namespace orvane::dialogs
