#include "app/ConfigSync.h"

#include <cstdio>

#include "profile/ConfigLock.h"
#include "profile/Storage.h"

namespace orvane {

namespace {
constexpr int kCheckTimer = 1;
constexpr int kRetryTimer = 2;
}  // namespace

void ConfigSync::WarnOnStandardError(const std::string& problem) {
    std::fprintf(stderr, "orvane: warning: %s\n", problem.c_str());
}

ConfigSync::ConfigSync(AppData& app, EventLoop& loop,
                       std::function<void(const SharedConfig::Merged&)> onMerged, Warn warn)
    : app_(app), loop_(loop), onMerged_(std::move(onMerged)), warn_(std::move(warn)) {}

ConfigSync::~ConfigSync() {
    *alive_ = false;
    loop_.killTimer(this, kCheckTimer);
    loop_.killTimer(this, kRetryTimer);
}

void ConfigSync::Load(const std::function<void()>& load) {
    {
        // Loading writes defaults and repairs; a command in progress is let finish first, but a
        // folder that stays busy does not keep the program from starting.
        auto lock = ConfigLock::Acquire(app_.configDir, kLoadWaitMs);
        load();
        shared_.Adopt(app_);
    }
    loop_.setTimer(this, kCheckTimer, kCheckMs, [this] { Check(); });
}

bool ConfigSync::WriteSettings() {
    settings_ = true;
    return WriteKept(0);
}

bool ConfigSync::WriteProfile(int index) {
    if (index < 0 || index >= kProfileCount) return false;
    profiles_.set(size_t(index));
    return WriteKept(0);
}

void ConfigSync::SaveAll() {
    settings_ = true;
    profiles_.set();
    (void)WriteKept(0);
}

bool ConfigSync::WriteLibrary() {
    library_ = true;
    return WriteKept(0);
}

void ConfigSync::Flush(int timeoutMs) {
    if (WritesKept()) (void)WriteKept(timeoutMs);
}

void ConfigSync::Check() {
    if (!shared_.ChangedOnDisk(app_)) return;
    auto lock = ConfigLock::Acquire(app_.configDir, 0);
    if (!lock) return;  // a writer is at work: look again at the next tick
    Merged(shared_.MergeFromDisk(app_));
}

bool ConfigSync::WriteKept(int lockTimeoutMs) {
    auto lock = ConfigLock::Acquire(app_.configDir, lockTimeoutMs);
    if (!lock) {
        loop_.setTimer(this, kRetryTimer, kRetryMs, [this] {
            loop_.killTimer(this, kRetryTimer);
            (void)WriteKept(0);
        });
        return false;
    }
    loop_.killTimer(this, kRetryTimer);
    // Another program's saved change is taken in first, so writing ours cannot undo it.
    if (shared_.ChangedOnDisk(app_)) Merged(shared_.MergeFromDisk(app_));
    bool ok = true;
    if (settings_) {
        ok = Saved(SaveCurrentProfileIndex(app_)) && ok;
        shared_.WroteSettings(app_);
    }
    for (int i = 0; i < kProfileCount; ++i) {
        if (!profiles_.test(size_t(i))) continue;
        ok = Saved(SaveProfile(app_, i)) && ok;
        shared_.WroteProfile(app_, i);
    }
    if (library_) {
        ok = Saved(SaveLibraryFile(app_, app_.library)) && ok;
        shared_.WroteLibrary(app_);
    }
    settings_ = library_ = false;
    profiles_.reset();
    // Once everything went through, a failure that comes back is news again.
    if (ok) told_.clear();
    return ok;
}

bool ConfigSync::Saved(const Status& status) {
    if (status) return true;
    // Every change saves again, and a folder that refuses one save refuses the next: the log
    // hears of it once, not at every click.
    if (told_.insert(status.error().message()).second && warn_) warn_(status.error().message());
    return false;
}

void ConfigSync::Merged(const SharedConfig::Merged& m) {
    if (!m.Any() || !onMerged_) return;
    // Posted: a merge found during a save may be inside the device link's own work.
    std::weak_ptr<bool> alive = alive_;
    loop_.post([this, alive, m] {
        if (auto a = alive.lock(); a && *a) onMerged_(m);
    });
}

}  // namespace orvane
