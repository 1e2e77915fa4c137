#pragma once
// Makes current the profile that follows the program the user works in. Fed the focus changes
// and the profiles' program lists, it decides once the focus has stayed put for a short dwell,
// so that alt-tabbing through a row of windows does not send the mouse a profile per window:
//  - a window of a listed program keeps the focus: its profile becomes current, as a tab click
//    would make it (the first shown profile that lists it, in the bar's order);
//  - a program no shown profile lists keeps it, or no window has it: the profile that was current
//    before the first automatic switch comes back, and the next automatic switch starts afresh;
//  - a manual tab click wins until the focus moves to another program;
//  - disabled, nothing is switched and nothing is remembered.
#include <functional>
#include <optional>
#include <vector>

#include "base/EventLoop.h"
#include "base/Text.h"
#include "platform/FocusWatcher.h"

namespace orvane::autoprofile {

struct FollowedProfile {
    int profile = 0;  // 0-4
    std::vector<Text> programs;
};

class ProfileFollower {
public:
    static constexpr int kDwellMs = 300;

    struct Host {
        // The shown profiles in the bar's order, with their programs; asked at each decision so
        // that an edit of a list counts from the next focus change.
        std::function<std::vector<FollowedProfile>()> profiles;
        std::function<int()> current;
        // Makes the profile current exactly as a click on its tab does.
        std::function<void(int)> switchTo;
    };

    ProfileFollower(EventLoop& loop, Host host) : loop_(loop), host_(std::move(host)) {}
    ~ProfileFollower();
    ProfileFollower(const ProfileFollower&) = delete;
    ProfileFollower& operator=(const ProfileFollower&) = delete;

    // Turned on, the program focused now counts after the dwell as if it had just been focused.
    void SetEnabled(bool enabled);
    [[nodiscard]] bool Enabled() const { return enabled_; }
    // This program's own windows: focusing them to look at or change the profiles is no move to
    // another program, so they neither switch nor end a manual choice. A window is ours when it
    // names our executable, or names none and has our window class (a Wayland app_id).
    void SetOwnProgram(platform::ProgramIdentity own) { own_ = std::move(own); }

    void OnFocus(const platform::ProgramIdentity& focused);
    // The user clicked a profile tab.
    void OnManualSwitch();

    // The profile an unlisted program will bring back; none while no automatic switch is in force.
    [[nodiscard]] std::optional<int> ProfileToRestore() const { return restore_; }

private:
    static constexpr int kDwellTimer = 1;
    bool IsOwn(const platform::ProgramIdentity& id) const;
    void Decide();
    std::optional<int> ProfileFor(const platform::ProgramIdentity& id, const std::vector<FollowedProfile>& shown) const;

    EventLoop& loop_;
    Host host_;
    platform::ProgramIdentity own_;
    std::optional<platform::ProgramIdentity> focused_;  // the last program heard of, own windows aside
    std::optional<int> restore_;
    bool enabled_ = false;
    bool manual_ = false;
};

}  // namespace orvane::autoprofile
