// The mouse holds what the window shows. A seeded random walk drives the whole main window
// against the virtual mouse on virtual time: the user's edits (through the window's own controls
// where it has them, through the profile and the change pipeline as the panels do otherwise),
// profile switches, macros on buttons, and the mouse's own life (asleep and awake, unplugged and
// plugged in again mid-pass, refused writes, a receiver that meets another mouse, its DPI button),
// and the desktop's focus moving between programs that profiles follow and programs none follows
// (with alt-tabs shorter than the dwell, tab clicks during it, lists edited and the tray's switch),
// after which the current profile must be the one the following rules name.
// After every settled step either the link says something did not arrive, or the virtual mouse's
// memory is exactly what the current profile encodes to; at every checkpoint the faults are healed
// and, once the next status poll has come and gone, the mouse must hold the profile.
//
// Deterministic per seed. ORVANE_MODEL_SEEDS (default 4) seeds of ORVANE_MODEL_STEPS (default
// 250) steps each; ORVANE_MODEL_SEED=N replays one seed. A failure prints its seed and step.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>

#include "FollowingRules.h"
#include "MainWindowFixture.h"
#include "support/MouseHoldsProfile.h"
#include "device/MacroUploader.h"
#include "device/hid/FrameTrace.h"
#include "autoprofile/ProfileFollower.h"
#include "profile/ProfilePrograms.h"
#include "ui/CSliderControl.h"
#include "ui/CTabControl.h"

namespace orvane::test {
namespace {

using namespace mainwnd;
using hid::DeviceRole;
using autoprofile::ProfileFollower;

// The programs the walk focuses: the first three are the ones profiles may follow (by name), the
// fourth no profile follows, the last is no window at all.
const platform::ProgramIdentity kPrograms[] = {{u"/opt/games/alpha", u"alpha", u"Alpha"},
                                               {u"/opt/games/beta", u"beta", u"Beta"},
                                               {u"/opt/games/gamma", u"gamma", u"Gamma"},
                                               {u"/usr/bin/editor", u"editor", u"Editor"},
                                               {}};
constexpr int kFollowable = 3;

int envInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

class LinkModel : public MainWindowTest {
protected:
    void StartModel(uint32_t seed) {
        seed_ = seed;
        rng_.seed(seed);
        WindowSetup setup;
        setup.needPassword = 0;
        Start(setup);
        // A few macros in the library's first set for the buttons to play.
        MacroSet& set = app_->library.SetCount() > 0 ? *app_->library.FindSet(0) : app_->library.AddSet(u"Set 1");
        for (const char16_t* name : {u"Model A", u"Model B"}) {
            MacroKey& m = set.AddKey(name);
            appendTap(m, 0x41 + uint8_t(set.KeyCount()), 120);
        }
        // Two profiles follow a program each from the start; the walk changes the lists.
        ASSERT_TRUE(AddProfileProgram(app_->profiles[1], kPrograms[0].name).ok());
        ASSERT_TRUE(AddProfileProgram(app_->profiles[3], kPrograms[1].name).ok());
        rules_.Restart();
        Advance(SaveScheduler::kDelayMs + 500);
    }

    static void appendTap(MacroKey& m, uint8_t key, uint32_t delayMs) {
        m.InsertAction(m.ActionCount, uint32_t(key));
        m.InsertAction(m.ActionCount, kDelayActionCode | (uint32_t(delayMs >> 16 & 0xFF) << 8) |
                                          (uint32_t(delayMs >> 8 & 0xFF) << 16) | (uint32_t(delayMs & 0xFF) << 24));
        m.InsertAction(m.ActionCount, uint32_t(key) | 0x8000u);
        m.CommandActionNum = uint8_t(m.CommandActionNum + 2);
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // The change pipeline as a panel runs it after writing into the current profile.
    void changed(SyncGroup group) {
        link().markDirty(group);
        link().armSync();
    }

    void clickSliderStep(uint32_t id) {
        auto* s = control<ui::CSliderControl>(id);
        if (!s || s->Steps().empty()) return;
        const int step = pick(int(s->Steps().size()));
        window().click(s->Steps()[size_t(step)], (s->GetRect().top + s->GetRect().bottom) / 2);
        note("slider " + std::to_string(id) + " step " + std::to_string(step));
    }

    void userEdit() {
        Profile& p = current();
        switch (pick(10)) {
        case 0: clickSliderStep(kPollingSlider); break;
        case 1: clickSliderStep(kDebounceSlider); break;
        case 2: clickSliderStep(kSleepSlider); break;
        case 3: {
            const uint32_t id = pick(2) ? kLiftOff1 : kLiftOff2;
            if (dlg_->FindControl(id)) click(id);
            note("lift-off " + std::to_string(id));
            break;
        }
        case 4: {  // a button function; the first button keeps its left click
            static const KeyValue kFunctions[] = {
                {0x00, 0x00, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x08, 0x00}, {0x40, 0x01, 0x00},
                {0x30, 0x32, 0x03}, {0x70, 0x01, 0x06}, {0x80, 0xE9, 0x00}, {0x40, 0x02, 0x00}};
            const int b = 1 + pick(kKeyCount - 1);
            p.keys[size_t(b)].KeyName = u"model";
            p.keys[size_t(b)].KeyValue = kFunctions[pick(int(std::size(kFunctions)))];
            changed(SyncGroup::Buttons);
            note("button " + std::to_string(b + 1));
            break;
        }
        case 5: {  // a macro on a button
            const MacroSet* set = app_->library.FindSet(0);
            if (!set || set->KeyCount() == 0) break;
            const MacroKey* m = set->FindKey(uint32_t(pick(int(set->KeyCount()))));
            const int b = 1 + pick(kKeyCount - 1);
            KeyAssignment& key = p.keys[size_t(b)];
            key.KeyName = app_->language.LanguageText(kMacroPrefixEntry) + m->GetName();
            key.KeyValue = {0x90, 0x01, 0x00};
            AssignMacro(key, m);
            changed(SyncGroup::Buttons);
            note("macro on button " + std::to_string(b + 1));
            break;
        }
        case 6: {  // a DPI value or colour
            const int level = pick(4);
            if (pick(2)) {
                p.XYSetting[size_t(level)] = uint8_t(pick(link().dpiTables().stepCount()));
            } else {
                p.DPILevelIndication[size_t(level)] = Colour(rng_() & 0xFFFFFF);
            }
            changed(SyncGroup::Performance);
            note("DPI level " + std::to_string(level + 1));
            break;
        }
        case 7: {  // a macro's delay edited in the library (across 127 ms and back)
            MacroSet* set = app_->library.FindSet(0);
            if (!set || set->KeyCount() == 0) break;
            MacroKey& m = *set->FindKey(uint32_t(pick(int(set->KeyCount()))));
            if (m.ActionCount >= 2) {
                const uint32_t ms = pick(2) ? 60 : 900;
                m.SetActionBytes(1, {kDelayActionCode, 0, uint8_t(ms >> 8), uint8_t(ms & 0xFF)});
            }
            link().syncNow();  // as the macro manager's return does
            note("macro delay");
            break;
        }
        case 8: {  // the language changes: macro buttons keep the text they were named in
            const bool chinese = app_->language.LanguageText(kMacroPrefixEntry) != u"宏：";
            app_->language.SetText(kMacroPrefixEntry, chinese ? u"宏：" : u"Macro: ");
            changed(SyncGroup::Buttons);
            note(chinese ? "language: Chinese" : "language: English");
            break;
        }
        default: {  // another profile's tab
            const int index = pick(kProfileCount);
            if (auto* tab = dlg_->FindControl(kFirstTab + uint32_t(index)); tab && tab->Visible()) {
                click(kFirstTab + uint32_t(index));
                note("tab " + std::to_string(index + 1));
            }
            break;
        }
        }
    }

    void deviceEvent() {
        switch (pick(7)) {
        case 0:
            sim_->setOnline(!sim_->condition().online);
            note(sim_->condition().online ? "mouse wakes" : "mouse sleeps");
            // The mouse says nothing when it falls asleep: the link learns it from its next
            // status poll. (Asleep and awake again between two polls cannot be seen at all.)
            if (!sim_->condition().online) Advance(22000);
            break;
        case 1: {
            const DeviceRole role = pick(2) ? DeviceRole::Wired : DeviceRole::Receiver;
            const DeviceRole other = role == DeviceRole::Wired ? DeviceRole::Receiver : DeviceRole::Wired;
            // One device stays, or the window ends with the last one.
            if (!sim_->plugged(role)) {
                sim_->plug(role);
            } else if (sim_->plugged(other)) {
                sim_->unplug(role);
            }
            note(std::string(hid::roleName(role)) + (sim_->plugged(role) ? " plugged" : " unplugged"));
            break;
        }
        case 2: {
            const DeviceRole role = pick(2) ? DeviceRole::Wired : DeviceRole::Receiver;
            const int times = 1 + pick(4);
            sim_->injectFault(role, sim::Fault::WriteFails, times);
            note("next " + std::to_string(times) + " writes to the " + std::string(hid::roleName(role)) + " fail");
            break;
        }
        case 3: {  // the mouse's own DPI button
            (void)sim_->userCycleDpiLevel();
            note("DPI button");
            break;
        }
        case 4: {  // the receiver is paired with another mouse (the virtual mouse is one mouse:
                   // its cable stays out meanwhile)
            if (!sim_->plugged(DeviceRole::Receiver) || sim_->plugged(DeviceRole::Wired)) break;
            sim_->setMacId(uint32_t(rng_() & 0xFFFFFF));
            sim_->withModel([](sim::FirmwareModel& m) { m.memory() = sim::MouseMemory::factoryDefaults(0x70); });
            sim_->plug(DeviceRole::Wired);  // keeps the window while the receiver is out
            Settle();
            sim_->unplug(DeviceRole::Receiver);
            Settle();
            sim_->plug(DeviceRole::Receiver);
            Settle();
            sim_->unplug(DeviceRole::Wired);
            // The link learns of it from the status read that follows a change of devices.
            Advance(3000);
            note("another mouse behind the receiver");
            break;
        }
        case 5: {  // unplugged in the middle of a pass
            userEdit();
            Advance(DeviceLink::kSyncDelayMs + 60 * pick(4));
            const DeviceRole role = pick(2) ? DeviceRole::Wired : DeviceRole::Receiver;
            if (sim_->plugged(DeviceRole::Wired) && sim_->plugged(DeviceRole::Receiver)) {
                sim_->unplug(role);
                note(std::string(hid::roleName(role)) + " unplugged mid-pass");
            }
            break;
        }
        default: Advance(1000 * (1 + pick(25))); break;
        }
    }

    // ---- Following the focused program ----

    // The profile the window follows program p with: the first profile in the bar's order that
    // lists it.
    std::optional<int> followedBy(const platform::ProgramIdentity& p) {
        const Settings& s = app_->settings;
        for (int i = 0; i < s.GetProfileShowCount(); ++i) {
            const int profile = s.GetProfileShowList(i);
            if (profile < 0 || profile >= kProfileCount) continue;
            for (const Text& entry : ProfilePrograms(app_->profiles[size_t(profile)]))
                if (!p.name.empty() && entry == p.name) return profile;
        }
        return std::nullopt;
    }

    // The desktop reports p; true when it is a move to another program (a repeat is none).
    bool report(const platform::ProgramIdentity& p) {
        focus_->focus(p);
        return rules_.Heard(p);
    }

    // The focus has stayed on the program last heard for the whole dwell.
    void expectDecided(int before) {
        const int expected = rules_.Decided(before, followedBy(*rules_.LastHeard()));
        ASSERT_EQ(app_->currentProfile, expected)
            << "seed " << seed_ << "; replay with ORVANE_MODEL_SEED=" << seed_ << "\n" << trail();
        ASSERT_TRUE(control<ui::CTabControl>(kFirstTab + uint32_t(expected))->Selected()) << trail();
    }

    std::string programName(const platform::ProgramIdentity& p) {
        return p.empty() ? std::string("no window") : toUtf8(p.name);
    }

    void focusEvent() {
        const bool following = FollowProgramsEnabled(app_->settings);
        const int before = app_->currentProfile;
        const int settle = ProfileFollower::kDwellMs + DeviceLink::kSyncDelayMs;
        switch (pick(6)) {
        case 0: {  // alt-tab through a few windows, each for less than the dwell, then stay
            bool moved = false;
            const int hops = 1 + pick(3);
            for (int h = 0; h < hops; ++h) {
                // Plain time: settling the link meanwhile could stretch a hop past the dwell.
                if (h > 0) clock().advanceMs(ProfileFollower::kDwellMs / 3);
                const auto& p = kPrograms[pick(int(std::size(kPrograms)))];
                moved = report(p) || moved;
                note("alt-tab to " + programName(p));
            }
            Advance(settle);
            if (following && moved) expectDecided(before);
            break;
        }
        case 1: {  // a tab clicked while the dwell runs: the click wins
            const auto& p = kPrograms[pick(int(std::size(kPrograms)))];
            const bool moved = report(p);
            clock().advanceMs(ProfileFollower::kDwellMs / 2);
            const int index = pick(kProfileCount);
            if (auto* tab = dlg_->FindControl(kFirstTab + uint32_t(index)); tab && tab->Visible()) {
                click(kFirstTab + uint32_t(index));
                note("focus " + programName(p) + ", then tab " + std::to_string(index + 1) + " clicked");
                Advance(settle);
                ASSERT_EQ(app_->currentProfile, index) << "seed " << seed_ << "\n" << trail();
            } else {
                note("focus " + programName(p));
                Advance(settle);
                if (following && moved) expectDecided(before);
            }
            break;
        }
        case 2: {  // the programs of a profile edited, as the Programs dialog saves them
            const int profile = pick(kProfileCount);
            const Text& name = kPrograms[pick(kFollowable)].name;
            Profile& p = app_->profiles[size_t(profile)];
            const std::vector<Text> programs = ProfilePrograms(p);
            const bool listed = std::find(programs.begin(), programs.end(), name) != programs.end();
            const ProgramListChange change = listed ? RemoveProfileProgram(p, name) : AddProfileProgram(p, name);
            if (change.ok()) (void)dlg().Files().WriteProfile(profile);
            note("profile " + std::to_string(profile + 1) + (listed ? " drops " : " follows ") + toUtf8(name));
            break;
        }
        case 3: {  // the tray's switch: turned on, the program focused now counts after the dwell
            tray_->fire(platform::TrayEvent::MenuFollowPrograms);
            rules_.Toggled();
            note(following ? "following off" : "following on");
            Advance(settle);
            if (!following && rules_.LastHeard()) expectDecided(before);
            break;
        }
        default: {  // the focus moves and stays
            const auto& p = kPrograms[pick(int(std::size(kPrograms)))];
            const bool moved = report(p);
            note("focus " + programName(p));
            Advance(settle);
            if (following && moved) expectDecided(before);
            if (!following) {
                ASSERT_EQ(app_->currentProfile, before) << "switched while off\n" << trail();
            }
            break;
        }
        }
    }

    // The invariant: the mouse holds the current profile, unless the link says it does not yet.
    void checkHeld(const std::string& when) {
        if (!link().presence().active() || link().delivery().undelivered() ||
            link().delivery().awaitingConfirmation() || !link().idle() || link().syncArmed())
            return;
        if (!link().connection().anyOpen()) return;
        const bool reachable = link().connection().isOpen(DeviceRole::Wired) || sim_->condition().online;
        if (!reachable) return;
        expectMouseHoldsProfile(when);
    }

    void expectMouseHoldsProfile(const std::string& when) {
        std::ostringstream where;
        where << "seed " << seed_ << ", " << when << "; replay with ORVANE_MODEL_SEED=" << seed_ << "\n" << trail();
        expectMouseHolds(sim_->memory(), current(), link().dpiTables(), app_->library, link().macros().slotTable(),
                         where.str());
    }

    // Healed: every fault cleared, the cable in, the mouse awake; then time for the poll.
    void heal() {
        sim_->clearFaults(DeviceRole::Wired);
        sim_->clearFaults(DeviceRole::Receiver);
        sim_->setOnline(true);
        if (!sim_->plugged(DeviceRole::Wired)) sim_->plug(DeviceRole::Wired);
        note("healed");
        Advance(25000);
        Settle();
    }

    void note(const std::string& what) {
        trail_.push_back(what);
        if (trail_.size() > size_t(envInt("ORVANE_MODEL_TRAIL", 30))) trail_.erase(trail_.begin());
    }
    // With ORVANE_MODEL_TRACE set, the frames go into the trail as well.
    void traceFrames() {
        if (!std::getenv("ORVANE_MODEL_TRACE")) return;
        hid::FrameTrace::setSink([this](std::string_view line) { note(std::string(line.substr(0, 60))); });
    }
    void TearDown() override {
        hid::FrameTrace::setSink({});
        MainWindowTest::TearDown();
    }
    std::string trail() const {
        std::string s = "last steps:";
        for (const auto& t : trail_) s += "\n  " + t;
        return s;
    }

    FollowingRules rules_;
    uint32_t seed_ = 0;
    std::mt19937 rng_;
    std::vector<std::string> trail_;
};

TEST_F(LinkModel, TheMouseHoldsWhatTheWindowShowsAfterAnyWalk) {
    const int steps = envInt("ORVANE_MODEL_STEPS", 250);
    const int replay = envInt("ORVANE_MODEL_SEED", -1);
    const int seeds = replay >= 0 ? 1 : envInt("ORVANE_MODEL_SEEDS", 4);
    for (int s = 0; s < seeds; ++s) {
        const uint32_t seed = replay >= 0 ? uint32_t(replay) : uint32_t(1000 + s);
        if (s > 0) TearDown();
        trail_.clear();
        traceFrames();
        StartModel(seed);
        for (int step = 0; step < steps; ++step) {
            const int kind = pick(12);
            if (kind < 4) {
                deviceEvent();
            } else if (kind < 6) {
                ASSERT_NO_FATAL_FAILURE(focusEvent());
            } else {
                userEdit();
            }
            Advance(DeviceLink::kSyncDelayMs);
            Settle();
            ASSERT_NO_FATAL_FAILURE(checkHeld("step " + std::to_string(step)));
            if (step % 25 == 24) {  // a checkpoint
                heal();
                ASSERT_FALSE(link().delivery().undelivered()) << "seed " << seed << ", step " << step << "\n"
                                                              << trail();
                ASSERT_NO_FATAL_FAILURE(expectMouseHoldsProfile("healed at step " + std::to_string(step)));
            }
        }
    }
}

}  // namespace
}  // namespace orvane::test
