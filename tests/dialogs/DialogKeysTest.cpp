// The shortcut and fire-key dialogs from the keyboard alone: the shortcut's key field takes every
// key but Tab, the boxes and buttons then take theirs; Tab moves between the fire key's fields
// and its button; and what readers call the fields.
#include <gtest/gtest.h>

#include "dialogs/CAttentionDlg.h"
#include "dialogs/CFireKeyDlg.h"
#include "dialogs/CShortcutDlg.h"
#include "platform/FakeEditField.h"
#include "platform/FakePlatform.h"
#include "ui/CCheckButton.h"
#include "ui/CEditControl.h"

namespace orvane::dialogs {
namespace {

using platform::FakeWindow;
using platform::KeyEvent;
using platform::kVkTab;
using Bytes = std::array<uint8_t, 3>;

constexpr uint32_t kResultMsg = 1063;

class Parent : public ui::CDlgBase {
public:
    using CDlgBase::CDlgBase;
    void DrawWindow(Painter&, const Rect&) override {}
    void CreateControls(const Rect&) override {}
    intptr_t OnResult(uint32_t msg, uintptr_t, const ui::PopupResult& result) override {
        if (msg == kResultMsg) results.push_back(result);
        return 0;
    }
    std::vector<ui::PopupResult> results;
};

KeyEvent down(uint32_t vk, uint32_t mods = 0) { return KeyEvent{true, vk, false, 0, mods, {}}; }
KeyEvent up(uint32_t vk, uint32_t mods = 0) { return KeyEvent{false, vk, false, 0, mods, {}}; }

class DialogKeys : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i : {4, 5, 26, 170, 171, 172, 173, 180, 346, 406, 435})
            language_.SetText(i, u"T" + fromUtf8(std::to_string(i)));
        ASSERT_TRUE(parent_.Create());
        platform_.onModal = [this](FakeWindow& w) {
            if (dynamic_cast<CAttentionDlg*>(&w.host())) return;
            if (user) user(w, static_cast<ui::CDlgBase&>(w.host()));
        };
    }
    static uint32_t focusedId(const ui::CDlgBase& d) { return d.FocusedControl() ? d.FocusedControl()->Id() : 0; }
    static bool ticked(const ui::CDlgBase& d, uint32_t id) { return d.FindControlAs<ui::CCheckButton>(id)->Checked(); }
    static platform::FakeEditField& field(ui::CEditControl* c) { return *static_cast<platform::FakeEditField*>(c->Field()); }
    void shortcut(std::function<void(FakeWindow&, CShortcutDlg&)> steps) {
        user = [steps](FakeWindow& w, ui::CDlgBase& d) { steps(w, static_cast<CShortcutDlg&>(d)); };
        CShortcutDlg dlg(platform_, &parent_, language_, kResultMsg);
        (void)dlg.DoModal();
    }

    platform::FakePlatform platform_;
    LanguageTable language_;
    Parent parent_{platform_};
    std::function<void(FakeWindow&, ui::CDlgBase&)> user;
};

TEST_F(DialogKeys, TheShortcutsKeyFieldTakesEveryKeyButTabAndTheBoxesAndButtonsThenTakeTheirs) {
    shortcut([&](FakeWindow& w, CShortcutDlg& d) {
        // Nothing is framed at first (as after any click), and the key field has the keys.
        EXPECT_EQ(d.FocusedControl(), nullptr);
        auto n = d.KeyField()->Describe();
        EXPECT_EQ(n.role, platform::AccessibleRole::HotkeyField);
        EXPECT_EQ(n.name, u"T435");
        EXPECT_EQ(n.value, u"T346");  // the prompt until a key is typed
        // Escape and Space are keys like any other here, and nothing closes.
        w.key(down(platform::kVkEscape));
        EXPECT_EQ(d.CapturedKey(), platform::kVkEscape);
        w.key(down(platform::kVkSpace));
        w.key(up(platform::kVkSpace));
        EXPECT_EQ(d.CapturedKey(), platform::kVkSpace);
        EXPECT_TRUE(w.inModal());
        EXPECT_FALSE(d.KeyField()->Describe().value.empty());
        // Tab leaves the field for the first box; its release is no key either.
        w.key(down(kVkTab));
        w.key(up(kVkTab));
        EXPECT_EQ(focusedId(d), CShortcutDlg::kIdShift);
        EXPECT_EQ(d.CapturedKey(), platform::kVkSpace);
        EXPECT_EQ(d.FocusedControl()->Describe().name, u"Shift");
        // On a box Space ticks it, and letters are not taken.
        w.key(down(platform::kVkSpace));
        w.key(up(platform::kVkSpace));
        EXPECT_TRUE(ticked(d, CShortcutDlg::kIdShift));
        w.key(down('B'));
        EXPECT_EQ(d.CapturedKey(), platform::kVkSpace);
        // Ctrl, Alt, Win, then OK, which Enter presses.
        for (uint32_t id : {CShortcutDlg::kIdCtrl, CShortcutDlg::kIdAlt, CShortcutDlg::kIdWin, kIdOkButton}) {
            w.key(down(kVkTab));
            EXPECT_EQ(focusedId(d), id);
        }
        w.key(down(platform::kVkReturn));
    });
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x70, 0x02, 0x2C}));  // Shift+Space
}

TEST_F(DialogKeys, ShiftTabGoesBackToTheFieldCtrlTabIsCapturedAndEscapeOutsideCancels) {
    shortcut([&](FakeWindow& w, CShortcutDlg& d) {
        w.key(down(kVkTab));
        ASSERT_EQ(focusedId(d), CShortcutDlg::kIdShift);
        w.key(down(kVkTab, platform::kKeyModShift));
        EXPECT_EQ(d.FocusedControl(), d.KeyField());
        // The releases of that Shift+Tab arrive in the field: neither is a key.
        w.key(up(kVkTab, platform::kKeyModShift));
        w.key(up(0x10));
        EXPECT_EQ(d.CapturedKey(), 0);
        // Tab itself is captured with Ctrl held (its box can be unticked afterwards).
        w.key(down(kVkTab, platform::kKeyModCtrl));
        EXPECT_EQ(d.CapturedKey(), kVkTab);
        EXPECT_TRUE(ticked(d, CShortcutDlg::kIdCtrl));
        EXPECT_EQ(d.FocusedControl(), d.KeyField());
        // Outside the field Escape cancels.
        w.key(down(kVkTab));
        w.key(down(platform::kVkEscape));
        EXPECT_FALSE(w.inModal());
    });
    EXPECT_TRUE(parent_.results.empty());
}

TEST_F(DialogKeys, AClickGivesTheShortcutsFieldTheKeysBack) {
    shortcut([&](FakeWindow& w, CShortcutDlg& d) {
        w.key(down(kVkTab));
        const auto r = d.FindControl(CShortcutDlg::kIdAlt)->GetRect();
        w.click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        EXPECT_TRUE(ticked(d, CShortcutDlg::kIdAlt));
        w.key(down('C'));
        EXPECT_EQ(d.CapturedKey(), 'C');
        w.key(down(platform::kVkReturn));  // a key, not OK
        EXPECT_EQ(d.CapturedKey(), platform::kVkReturn);
        EXPECT_TRUE(w.inModal());
        const auto ok = d.FindControl(kIdOkButton)->GetRect();
        w.click((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
    });
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x70, 0x04, 0x28}));  // Alt+Enter
}

TEST_F(DialogKeys, TabMovesBetweenTheFireKeysFieldsAndItsButtons) {
    user = [&](FakeWindow& w, ui::CDlgBase& dlg) {
        auto& d = static_cast<CFireKeyDlg&>(dlg);
        EXPECT_EQ(field(d.Interval()).accessibleName(), u"T171");
        EXPECT_EQ(field(d.Count()).accessibleName(), u"T172");
        ASSERT_EQ(d.FocusedControl(), d.Interval());
        EXPECT_TRUE(field(d.Interval()).hasFocus());
        // Tab typed in the field goes to the next field, which takes the keyboard.
        EXPECT_TRUE(field(d.Interval()).key(kVkTab));
        EXPECT_EQ(d.FocusedControl(), d.Count());
        EXPECT_FALSE(field(d.Interval()).hasFocus());
        EXPECT_TRUE(field(d.Count()).hasFocus());
        field(d.Count()).setText({});
        field(d.Count()).type(u"7");
        // Shift+Tab goes back, Tab twice reaches OK and gives the keyboard back to the window.
        EXPECT_TRUE(field(d.Count()).key(kVkTab, platform::kKeyModShift));
        EXPECT_EQ(d.FocusedControl(), d.Interval());
        EXPECT_TRUE(field(d.Interval()).key(kVkTab));
        EXPECT_TRUE(field(d.Count()).key(kVkTab));
        EXPECT_EQ(focusedId(d), kIdOkButton);
        EXPECT_FALSE(field(d.Count()).hasFocus());
        // Past OK the close cross, then the first field again.
        w.key(down(kVkTab));
        EXPECT_EQ(focusedId(d), kIdClose);
        EXPECT_EQ(d.FocusedControl()->Describe().name, u"T406");
        w.key(down(kVkTab));
        EXPECT_EQ(d.FocusedControl(), d.Interval());
        w.key(down(kVkTab, platform::kKeyModShift));
        w.key(down(kVkTab, platform::kKeyModShift));
        ASSERT_EQ(focusedId(d), kIdOkButton);
        w.key(down(platform::kVkSpace));
    };
    CFireKeyDlg dlg(platform_, &parent_, language_, kResultMsg);
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    ASSERT_EQ(parent_.results.size(), 1u);
    EXPECT_EQ(parent_.results[0].bytes, (Bytes{0x30, 50, 7}));
}

}  // namespace
}  // namespace orvane::dialogs
