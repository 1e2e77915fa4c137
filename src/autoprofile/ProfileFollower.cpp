#include "autoprofile/ProfileFollower.h"

#include <algorithm>

#include "autoprofile/ProgramMatch.h"

namespace orvane::autoprofile {
namespace {

bool Same(const platform::ProgramIdentity& a, const platform::ProgramIdentity& b) {
    return a.executable == b.executable && a.name == b.name && a.windowClass == b.windowClass;
}

}  // namespace

ProfileFollower::~ProfileFollower() { loop_.killTimer(this, kDwellTimer); }

void ProfileFollower::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    loop_.killTimer(this, kDwellTimer);
    restore_.reset();
    manual_ = false;
    if (enabled_ && focused_) loop_.setTimer(this, kDwellTimer, kDwellMs, [this] { Decide(); });
}

bool ProfileFollower::IsOwn(const platform::ProgramIdentity& id) const {
    if (!own_.executable.empty() && id.executable == own_.executable) return true;
    // Wayland tells no process behind a window: there our windows are known by their app_id.
    return id.executable.empty() && !own_.windowClass.empty() && id.windowClass == own_.windowClass;
}

void ProfileFollower::OnFocus(const platform::ProgramIdentity& focused) {
    if (IsOwn(focused)) return;
    // Some desktops repeat the focus of the same window; that is no move to another program.
    if (focused_ && Same(*focused_, focused)) return;
    focused_ = focused;
    manual_ = false;
    if (!enabled_) return;
    // Restarted at every change: only a focus that stays put for the whole dwell is decided on.
    loop_.setTimer(this, kDwellTimer, kDwellMs, [this] { Decide(); });
}

void ProfileFollower::OnManualSwitch() {
    manual_ = true;
    loop_.killTimer(this, kDwellTimer);
}

std::optional<int> ProfileFollower::ProfileFor(const platform::ProgramIdentity& id,
                                               const std::vector<FollowedProfile>& shown) const {
    for (const FollowedProfile& p : shown)
        for (const Text& entry : p.programs)
            if (EntryMatches(entry, id)) return p.profile;
    return std::nullopt;
}

void ProfileFollower::Decide() {
    loop_.killTimer(this, kDwellTimer);
    if (!enabled_ || manual_ || !focused_) return;
    const std::vector<FollowedProfile> shown = host_.profiles();
    const int current = host_.current();
    if (const auto target = ProfileFor(*focused_, shown)) {
        if (*target == current) return;
        if (!restore_) restore_ = current;
        host_.switchTo(*target);
        return;
    }
    if (!restore_) return;
    const int back = *restore_;
    restore_.reset();
    // A profile removed from the bar meanwhile is not brought back: no tab could show it.
    const bool stillShown =
        std::any_of(shown.begin(), shown.end(), [back](const FollowedProfile& p) { return p.profile == back; });
    if (stillShown && back != current) host_.switchTo(back);
}

}  // namespace orvane::autoprofile
