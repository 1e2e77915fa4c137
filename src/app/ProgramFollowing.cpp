#include "app/ProgramFollowing.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "profile/ProfilePrograms.h"
#include "profile/Settings.h"

namespace orvane {
namespace {

// Our own executable, so that looking at the window is not taken for leaving the program the
// profile follows; and the app_id our windows carry on Wayland, where no executable is told:
// Qt names them after the executable's file name, up to its first dot.
platform::ProgramIdentity OwnProgram() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    const std::string file = exe.filename().string();
    return platform::ProgramIdentity{fromUtf8(exe.string()), {}, fromUtf8(file.substr(0, file.find('.')))};
}

}  // namespace

ProgramFollowing::ProgramFollowing(EventLoop& loop, const AppData& app, std::function<void(int)> switchTo,
                                   platform::FocusWatcher* watcher)
    : app_(app),
      watcher_(watcher),
      follower_(loop, {[this] { return ShownProfiles(); }, [this] { return app_.CurrentIndex(); },
                       std::move(switchTo)}) {}

void ProgramFollowing::Start(bool enabled) {
    if (watching_ || !Available()) return;
    watching_ = true;
    follower_.SetOwnProgram(OwnProgram());
    follower_.SetEnabled(enabled);
    watcher_->watch([this](const platform::ProgramIdentity& focused) { follower_.OnFocus(focused); });
}

void ProgramFollowing::Stop() {
    if (!watching_) return;
    watching_ = false;
    watcher_->stop();
    follower_.SetEnabled(false);
}

std::vector<autoprofile::FollowedProfile> ProgramFollowing::ShownProfiles() const {
    const AppData& app = app_;
    const int count = std::clamp(app.settings.GetProfileShowCount(), 0, kProfileCount);
    std::vector<autoprofile::FollowedProfile> out;
    for (int i = 0; i < count; ++i) {
        const int p = app.settings.GetProfileShowList(i);
        if (p >= 0 && p < kProfileCount) out.push_back({p, ProfilePrograms(app.profiles[size_t(p)])});
    }
    return out;
}

}  // namespace orvane
