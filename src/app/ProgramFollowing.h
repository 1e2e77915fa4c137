#pragma once
// The main window's side of profiles that follow the focused program: the desktop's focus
// reports go to the follower, and its switches take the path of a click on a profile tab, so the
// mouse is sent the profile, the window shows it and it is stored as current.
#include <functional>

#include "autoprofile/ProfileFollower.h"
#include "platform/FocusWatcher.h"
#include "profile/AppData.h"
#include "profile/Settings.h"  // FollowProgramsEnabled

namespace orvane {

inline constexpr int kTextFollowPrograms = 370;  // the tray item

class ProgramFollowing {
public:
    // switchTo makes a profile current as a click on its tab does. watcher may be null: no
    // desktop focus to follow, and nothing is switched.
    ProgramFollowing(EventLoop& loop, const AppData& app, std::function<void(int)> switchTo,
                     platform::FocusWatcher* watcher);

    // Once the window and its files are there: listens to the desktop when it can tell.
    void Start(bool enabled);
    void Stop();
    // Whether the desktop tells which program has the focus (else the feature cannot work here).
    [[nodiscard]] bool Available() const { return watcher_ && watcher_->available(); }
    // For choosing programs: which ones have windows now. Null when there is no watcher.
    [[nodiscard]] platform::FocusWatcher* Watcher() const { return watcher_; }
    void SetEnabled(bool enabled) { follower_.SetEnabled(enabled && watching_); }
    // A profile tab was clicked.
    void OnManualSwitch() { follower_.OnManualSwitch(); }
    [[nodiscard]] const autoprofile::ProfileFollower& Follower() const { return follower_; }

private:
    std::vector<autoprofile::FollowedProfile> ShownProfiles() const;

    const AppData& app_;
    platform::FocusWatcher* watcher_;
    autoprofile::ProfileFollower follower_;
    bool watching_ = false;
};

}  // namespace orvane
