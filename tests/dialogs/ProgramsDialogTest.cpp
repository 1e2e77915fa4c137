// The dialog that names the programs whose focused windows select a profile: three slots, typed
// or filled from the programs running now, cleared one by one, checked by the name rules; and the
// same from the keyboard and for readers.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/CAttentionDlg.h"
#include "dialogs/CProgramList.h"
#include "dialogs/CProgramsDlg.h"
#include "platform/FakeEditField.h"
#include "platform/FakePlatform.h"
#include "ui/CEditControl.h"
#include "ui/CStaticText.h"

namespace orvane::dialogs {
namespace {

using platform::FakeWindow;
using platform::RunningProgram;

// A desktop that tells which programs run, or that tells nothing.
class StubWatcher : public platform::FocusWatcher {
public:
    bool available() const override { return isAvailable; }
    void watch(std::function<void(const platform::ProgramIdentity&)>) override {}
    void stop() override {}
    std::vector<RunningProgram> runningPrograms() override {
        ++asked;
        return programs;
    }
    bool isAvailable = true;
    std::vector<RunningProgram> programs;
    int asked = 0;
};

RunningProgram program(const char16_t* name, Text exe = {}) {
    RunningProgram p;
    p.id.name = name;
    p.id.executable = std::move(exe);
    p.title = Text(u"window of ") + name;
    return p;
}

class ProgramsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i : {4, 5, 381, 382, 383, 384, 385}) language_.SetText(i, u"T" + fromUtf8(std::to_string(i)));
        watcher_.programs = {program(u"xterm", u"/usr/bin/xterm"), program(u"Gimp"), program(u""),
                             program(u"firefox-esr", u"/usr/lib/firefox-esr/firefox-esr")};
        platform_.onModal = [this](FakeWindow& w) {
            if (auto* a = dynamic_cast<CAttentionDlg*>(&w.host())) {
                notices_.push_back(a->Message());
                return;
            }
            if (user) user(w, static_cast<CProgramsDlg&>(w.host()));
        };
    }
    std::optional<ProgramSlots> run(const ProgramSlots& current, platform::FocusWatcher* watcher) {
        return CProgramsDlg::Choose(platform_, nullptr, language_, current, watcher);
    }
    static void clickOn(FakeWindow& w, ui::CDlgBase& d, uint32_t id) {
        const auto r = d.FindControl(id)->GetRect();
        w.click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // Clicks the row of the list that shows `name`.
    static void pick(FakeWindow& w, CProgramsDlg& d, const Text& name) {
        const CProgramList& list = *d.List();
        for (size_t i = 0; i < list.Programs().size(); ++i) {
            if (list.Programs()[i].id.name != name) continue;
            const int32_t row = int32_t(i) - list.FirstRow();
            ASSERT_GE(row, 0);
            ASSERT_LT(row, list.VisibleRows());
            const auto r = list.GetRect();
            const int32_t rowHeight = int32_t(float(CProgramList::kRowHeight) * d.GetPlatform().screen().displayScale);
            w.click(r.left + 30, r.top + row * rowHeight + rowHeight / 2);
            return;
        }
        FAIL() << "no row shows " << toUtf8(name);
    }
    static platform::FakeEditField& field(CProgramsDlg& d, int slot) {
        return *static_cast<platform::FakeEditField*>(d.SlotField(slot)->Field());
    }

    platform::FakePlatform platform_;
    LanguageTable language_;
    StubWatcher watcher_;
    std::vector<Text> notices_;
    std::function<void(FakeWindow&, CProgramsDlg&)> user;
};

TEST_F(ProgramsDialogTest, OpensWithTheNamesAndCancelOrCloseKeepsThem) {
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        EXPECT_EQ(d.SlotField(0)->GetText(), u"steam");
        EXPECT_EQ(d.SlotField(1)->GetText(), u"");
        EXPECT_EQ(d.SlotField(2)->GetText(), u"gimp");
        field(d, 1).type(u"xterm");
        clickOn(w, d, CProgramsDlg::kIdCancelButton);
    };
    EXPECT_EQ(run({u"steam", u"", u"gimp"}, &watcher_), std::nullopt);
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        field(d, 1).type(u"xterm");
        clickOn(w, d, kIdClose);
    };
    EXPECT_EQ(run({u"steam", u"", u"gimp"}, &watcher_), std::nullopt);
    user = [&](FakeWindow& w, CProgramsDlg& d) { clickOn(w, d, kIdOkButton); };
    EXPECT_EQ(run({u"steam", u"", u"gimp"}, &watcher_), (ProgramSlots{u"steam", u"", u"gimp"}));
}

TEST_F(ProgramsDialogTest, ListsTheRunningProgramsOnceSortedByNameWithoutNamelessOnes) {
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        std::vector<Text> names;
        for (const auto& p : d.List()->Programs()) names.push_back(p.id.name);
        EXPECT_EQ(names, (std::vector<Text>{u"firefox-esr", u"Gimp", u"xterm"}));
        clickOn(w, d, kIdOkButton);
    };
    (void)run({}, &watcher_);
    EXPECT_EQ(watcher_.asked, 1);
}

TEST_F(ProgramsDialogTest, APickedProgramFillsTheFirstEmptySlotThenTheNextEmptyOne) {
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        EXPECT_EQ(d.MarkedSlot(), 1);
        pick(w, d, u"xterm");
        EXPECT_EQ(d.MarkedSlot(), 2);
        pick(w, d, u"Gimp");
        clickOn(w, d, kIdOkButton);
    };
    EXPECT_EQ(run({u"steam", u"", u""}, &watcher_), (ProgramSlots{u"steam", u"xterm", u"Gimp"}));
}

TEST_F(ProgramsDialogTest, ClickingASlotsNumberChoosesTheSlotAPickReplaces) {
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        EXPECT_EQ(d.MarkedSlot(), 0);  // all full: the first
        clickOn(w, d, CProgramsDlg::kIdSlotNumber + 2);
        EXPECT_EQ(d.MarkedSlot(), 2);
        pick(w, d, u"firefox-esr");
        clickOn(w, d, kIdOkButton);
    };
    EXPECT_EQ(run({u"a", u"b", u"c"}, &watcher_), (ProgramSlots{u"a", u"b", u"firefox-esr"}));
}

TEST_F(ProgramsDialogTest, TheCrossClearsItsSlotAndMarksIt) {
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        clickOn(w, d, CProgramsDlg::kIdSlotClear + 1);
        EXPECT_EQ(d.SlotField(1)->GetText(), u"");
        EXPECT_EQ(d.MarkedSlot(), 1);
        clickOn(w, d, kIdOkButton);
    };
    EXPECT_EQ(run({u"a", u"b", u"c"}, &watcher_), (ProgramSlots{u"a", u"", u"c"}));
}

TEST_F(ProgramsDialogTest, TypedNamesLoseSpacesAtTheEndsAndBreakingNamesAreRefusedWhereTyped) {
    int open = 0;
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        d.SlotField(0)->SetText(u"  Half Life 2.exe ");
        d.SlotField(1)->SetText(Text(256, u'x'));
        clickOn(w, d, kIdOkButton);
        open += w.inModal();
        EXPECT_EQ(d.MarkedSlot(), 1);
        d.SlotField(1)->SetText(Text(255, u'x'));
        d.SlotField(2)->SetText(u"tab\there");
        field(d, 2).key(platform::kVkReturn);
        open += w.inModal();
        EXPECT_EQ(d.MarkedSlot(), 2);
        d.SlotField(2)->SetText(u"   ");
        field(d, 2).key(platform::kVkEscape);  // swallowed: the dialog stays
        open += w.inModal();
        field(d, 2).key(platform::kVkReturn);
    };
    EXPECT_EQ(run({}, &watcher_), (ProgramSlots{u"Half Life 2.exe", Text(255, u'x'), u""}));
    EXPECT_EQ(open, 3);
    EXPECT_EQ(notices_, (std::vector<Text>{u"T384", u"T385"}));
}

TEST_F(ProgramsDialogTest, SaysWhenTheDesktopCannotSwitchAndStillTakesTypedNames) {
    auto noteShown = [](CProgramsDlg& d) { return d.FindControl(CProgramsDlg::kIdUnavailable)->Visible(); };
    bool shown = true;
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        shown = noteShown(d);
        clickOn(w, d, kIdOkButton);
    };
    (void)run({}, &watcher_);
    EXPECT_FALSE(shown);

    StubWatcher gnome;
    gnome.isAvailable = false;
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        shown = noteShown(d);
        EXPECT_EQ(static_cast<ui::CStaticText*>(d.FindControl(CProgramsDlg::kIdUnavailable))->Label(), u"T383");
        d.SlotField(0)->SetText(u"steam");
        clickOn(w, d, kIdOkButton);
    };
    EXPECT_EQ(run({}, &gnome), (ProgramSlots{u"steam", u"", u""}));
    EXPECT_TRUE(shown);

    user = [&](FakeWindow& w, CProgramsDlg& d) {
        shown = noteShown(d);
        EXPECT_TRUE(d.List()->Programs().empty());
        clickOn(w, d, kIdOkButton);
    };
    EXPECT_EQ(run({u"x", u"", u""}, nullptr), (ProgramSlots{u"x", u"", u""}));
    EXPECT_TRUE(shown);
}

TEST_F(ProgramsDialogTest, TheWheelScrollsALongListWithinItsEnds) {
    watcher_.programs.clear();
    for (int i = 0; i < 20; ++i) watcher_.programs.push_back(program((u"p" + Text(1, char16_t(u'a' + i))).c_str()));
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        CProgramList& list = *d.List();
        ASSERT_LT(list.VisibleRows(), 20);
        const auto r = list.GetRect();
        w.wheel(r.left + 5, r.top + 5, -120);
        w.wheel(r.left + 5, r.top + 5, -120);
        EXPECT_EQ(list.FirstRow(), 2);
        for (int i = 0; i < 40; ++i) w.wheel(r.left + 5, r.top + 5, -120);
        EXPECT_EQ(list.FirstRow(), 20 - list.VisibleRows());
        pick(w, d, u"pt");  // the last one, now in view
        for (int i = 0; i < 40; ++i) w.wheel(r.left + 5, r.top + 5, 120);
        EXPECT_EQ(list.FirstRow(), 0);
        clickOn(w, d, kIdOkButton);
    };
    EXPECT_EQ(run({}, &watcher_), (ProgramSlots{u"pt", u"", u""}));
}

// ---- Keyboard and readers ----

TEST_F(ProgramsDialogTest, FromTheKeyboardTabReachesEverySlotAndTheListFillsTheMarkedOne) {
    language_.SetText(430, u"Program %d");
    language_.SetText(431, u"Clear program %d");
    language_.SetText(436, u"Fills program %d");
    user = [&](FakeWindow& w, CProgramsDlg& d) {
        auto key = [&w](uint32_t vk, uint32_t mods = 0) { w.key(platform::KeyEvent{true, vk, false, 0, mods, {}}); };
        auto focused = [&d] { return d.FocusedControl() ? d.FocusedControl()->Id() : 0u; };
        EXPECT_EQ(field(d, 1).accessibleName(), u"Program 2");
        EXPECT_EQ(d.FindControl(CProgramsDlg::kIdSlotClear + 2)->Describe().name, u"Clear program 3");
        // The first empty slot has the keyboard; Tab typed there goes to its cross.
        ASSERT_EQ(d.FocusedControl(), d.SlotField(1));
        EXPECT_TRUE(field(d, 1).key(platform::kVkTab));
        EXPECT_EQ(focused(), CProgramsDlg::kIdSlotClear + 1);
        key(platform::kVkTab);
        EXPECT_EQ(d.FocusedControl(), d.SlotField(2));
        key(platform::kVkTab);
        key(platform::kVkTab);
        ASSERT_EQ(d.FocusedControl(), d.List());
        const auto list = d.List()->Describe();
        EXPECT_EQ(list.role, platform::AccessibleRole::List);
        EXPECT_EQ(list.name, u"T382");
        EXPECT_EQ(list.value, u"Fills program 2");
        ASSERT_EQ(list.children.size(), 3u);
        EXPECT_EQ(list.children[0].name, u"firefox-esr");
        // 3 marks the third slot (the list tells it); Down twice and Enter fill it.
        w.clearAnnouncements();
        key('3');
        EXPECT_EQ(d.MarkedSlot(), 2);
        EXPECT_EQ(d.List()->Describe().value, u"Fills program 3");
        EXPECT_FALSE(w.announcements().empty());
        key(platform::kVkDown);
        key(platform::kVkDown);
        EXPECT_EQ(d.List()->CursorRow(), 1);
        EXPECT_TRUE(d.List()->Describe().children[1].has(platform::kAccessibleSelected));
        key(platform::kVkReturn);
        EXPECT_EQ(d.SlotField(2)->GetText(), u"Gimp");
        EXPECT_TRUE(w.inModal());  // Enter chose the row, it did not end the dialog
        // A reader's choice of a row fills the slot marked now (the second, empty).
        auto& host = static_cast<platform::WindowHost&>(d);
        const auto exposed = d.ExposedControls();
        const int at = int(std::find(exposed.begin(), exposed.end(), d.List()) - exposed.begin());
        EXPECT_TRUE(host.accessibleSelect(at, 2));
        EXPECT_EQ(d.SlotField(1)->GetText(), u"xterm");
        // Shift+Tab back to the first cross; Space clears that slot. Then OK.
        for (int i = 0; i < 5; ++i) key(platform::kVkTab, platform::kKeyModShift);
        ASSERT_EQ(focused(), CProgramsDlg::kIdSlotClear);
        key(platform::kVkSpace);
        EXPECT_EQ(d.SlotField(0)->GetText(), u"");
        for (int i = 0; i < 12 && focused() != kIdOkButton; ++i) key(platform::kVkTab);
        ASSERT_EQ(focused(), kIdOkButton);
        key(platform::kVkSpace);
    };
    EXPECT_EQ(run({u"steam", u"", u""}, &watcher_), (ProgramSlots{u"", u"xterm", u"Gimp"}));
}

}  // namespace
}  // namespace orvane::dialogs
