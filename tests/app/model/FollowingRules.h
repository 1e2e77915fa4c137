#pragma once
// The model test's own account of which profile the focused program makes current, kept apart
// from the window's follower so that the walk checks the window against it:
//  - the focus that stayed on a program a shown profile follows makes that profile current;
//  - the first such switch remembers the profile current before it, and a program no profile
//    follows brings that one back (and forgets it);
//  - a repeated report of the same program is no move, and decides nothing;
//  - turning the switch off or on forgets the remembered profile.
#include <optional>

#include "platform/FocusWatcher.h"

namespace orvane::test {

class FollowingRules {
public:
    // The desktop reported p; true when that is a move to another program.
    bool Heard(const platform::ProgramIdentity& p) {
        const bool moved = !heard_ || heard_->executable != p.executable || heard_->name != p.name ||
                           heard_->windowClass != p.windowClass;
        heard_ = p;
        return moved;
    }
    [[nodiscard]] const std::optional<platform::ProgramIdentity>& LastHeard() const { return heard_; }
    void Toggled() { restore_.reset(); }
    void Restart() { *this = FollowingRules{}; }

    // The focus stayed on the program last heard for the whole dwell, with `before` current and
    // `followedBy` the profile that follows the program (none: no shown profile does): the
    // profile current after it.
    int Decided(int before, std::optional<int> followedBy) {
        if (followedBy) {
            if (*followedBy != before && !restore_) restore_ = before;
            return *followedBy;
        }
        if (!restore_) return before;
        const int back = *restore_;
        restore_.reset();
        return back;
    }

private:
    std::optional<platform::ProgramIdentity> heard_;
    std::optional<int> restore_;
};

}  // namespace orvane::test
