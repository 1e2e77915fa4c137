#include "app/ConfigSync.h"

#include <chrono>
#include <cstdio>

#include "profile/SettingsFile.h"
#include "profile/Storage.h"

namespace orvane {

namespace {
constexpr int kCheckTimer = 1;
constexpr int kRetryTimer = 2;
constexpr int kSettleTimer = 3;
}  // namespace

void ConfigSync::WarnOnStandardError(const std::string& problem) {
    std::fprintf(stderr, "orvane: warning: %s\n", problem.c_str());
}

ConfigSync::ConfigSync(AppData& app, EventLoop& loop, std::function<void(const SharedConfig::Merged&)> onMerged,
                       Warn warn, SettingsWriter writeSettings, FolderWatcher watchFolder)
    : app_(app),
      loop_(loop),
      onMerged_(std::move(onMerged)),
      warn_(std::move(warn)),
      writeSettings_(writeSettings ? std::move(writeSettings) : SettingsWriter(WriteSettingsFile)),
      watchFolder_(std::move(watchFolder)) {}

ConfigSync::~ConfigSync() {
    watch_.reset();
    *alive_ = false;
    loop_.killTimer(this, kCheckTimer);
    loop_.killTimer(this, kRetryTimer);
    loop_.killTimer(this, kSettleTimer);
}

void ConfigSync::Load(const std::function<void()>& load) {
    {
        // Loading writes defaults and repairs; a command in progress is let finish first, but a
        // folder that stays busy does not keep the program from starting.
        auto lock = ConfigLock::Acquire(app_.configDir, kLoadWaitMs);
        load();
        shared_.Adopt(app_);
    }
    StartWatching();
}

void ConfigSync::StartWatching() {
    if (watchFolder_) {
        // The watch's thread only posts; the look itself runs here, on the loop's thread.
        auto started = watchFolder_(app_.configDir, [&loop = loop_, this, alive = alive_](bool lost) {
            loop.post([this, alive, lost] {
                if (*alive) FolderChanged(lost);
            });
        });
        if (started)
            watch_ = std::move(started.value());
        else if (warn_)
            warn_("changes other programs make are looked for once a second: " + started.error().message());
    }
    KeepLooking();
}

bool ConfigSync::WatchCoversEverything() const {
    const std::filesystem::path folder = (app_.configDir / "file").lexically_normal().parent_path();
    for (int i = 0; i < kProfileCount; ++i) {
        const std::filesystem::path slot = app_.settings.GetSlotPath(i);
        if (!slot.empty() && slot.lexically_normal().parent_path() != folder) return false;
    }
    return true;
}

void ConfigSync::KeepLooking() {
    const bool poll = !watch_ || !WatchCoversEverything();
    if (poll == loop_.timerActive(this, kCheckTimer)) return;
    if (poll)
        loop_.setTimer(this, kCheckTimer, kCheckMs, [this] { Check(); });
    else
        loop_.killTimer(this, kCheckTimer);
}

void ConfigSync::LookSoon(int ms) {
    if (loop_.timerActive(this, kSettleTimer)) return;
    loop_.setTimer(this, kSettleTimer, ms, [this] {
        loop_.killTimer(this, kSettleTimer);
        Check();
    });
}

void ConfigSync::FolderChanged(bool lost) {
    if (lost) {
        // The folder was removed or renamed, or changes were dropped: look now, and from then on
        // once a second as without a watch.
        watch_.reset();
        KeepLooking();
        Check();
        return;
    }
    // Not put off again while it waits, so a writer that never stops still gets looked at.
    LookSoon(kSettleMs);
}

bool ConfigSync::WriteSettings() {
    settings_ = true;
    KeepLooking();  // the window may have moved a profile out of the folder, or back
    return WriteKept(0, true);
}

bool ConfigSync::WriteProfile(int index) {
    if (index < 0 || index >= kProfileCount) return false;
    profiles_.set(size_t(index));
    return WriteKept(0, true);
}

void ConfigSync::SaveAll() {
    settings_ = true;
    KeepLooking();
    profiles_.set();
    (void)WriteKept(0, true);
}

bool ConfigSync::WriteLibrary() {
    library_ = true;
    return WriteKept(0, true);
}

void ConfigSync::Flush(int timeoutMs) {
    {
        // At the end the worker may be stopped right after this returns: what it is writing must
        // be on disk by then. The write already holds the lock, so this waits only for the disk.
        std::unique_lock lock(aside_->mutex);
        aside_->finished.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [this] { return aside_->running == 0; });
    }
    if (WritesKept()) (void)WriteKept(timeoutMs, false);
}

void ConfigSync::Check() {
    if (!shared_.ChangedOnDisk(app_)) return;
    auto lock = ConfigLock::Acquire(app_.configDir, 0);
    if (!lock) {
        // A writer is at work: look again at the next tick, or (watching) a moment later.
        if (watch_) LookSoon(kRetryMs);
        return;
    }
    Merged(shared_.MergeFromDisk(app_));
    KeepLooking();  // another program may have moved a profile out of the folder, or back
}

bool ConfigSync::WriteKept(int lockTimeoutMs, bool aside) {
    auto lock = ConfigLock::Acquire(app_.configDir, lockTimeoutMs);
    if (!lock) {
        loop_.setTimer(this, kRetryTimer, kRetryMs, [this] {
            loop_.killTimer(this, kRetryTimer);
            (void)WriteKept(0, true);
        });
        return false;
    }
    loop_.killTimer(this, kRetryTimer);
    // Another program's saved change is taken in first, so writing ours cannot undo it.
    if (shared_.ChangedOnDisk(app_)) Merged(shared_.MergeFromDisk(app_));
    bool ok = true;
    for (int i = 0; i < kProfileCount; ++i) {
        if (!profiles_.test(size_t(i))) continue;
        ok = Saved(SaveProfile(app_, i)) && ok;
        shared_.WroteProfile(app_, i);
    }
    if (library_) {
        ok = Saved(SaveLibraryFile(app_, app_.library)) && ok;
        shared_.WroteLibrary(app_);
    }
    library_ = false;
    profiles_.reset();
    if (settings_) {
        settings_ = false;
        // A session that writes nothing, or a damaged file that is first set aside as a .bak,
        // takes the ordinary path; both are rare and the first touches no disk. The worker's
        // write tells its own failure when it is done.
        if (aside && !app_.readOnly && !app_.unreadFiles.count(app_.Config("config.ini"))) {
            // Whether the failures told so far are over is known once the worker is done.
            WriteSettingsAside(std::move(lock.value()), ok);
            return ok;
        } else {
            ok = Saved(SaveCurrentProfileIndex(app_)) && ok;
            shared_.WroteSettings(app_);
        }
    }
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

void ConfigSync::WriteSettingsAside(ConfigLock lock, bool restOk) {
    app_.settings.SetCurrentProfile(app_.currentProfile);
    const Settings written = app_.settings;
    shared_.WritingSettings(written);
    auto held = std::make_shared<ConfigLock>(std::move(lock));
    auto stamp = std::make_shared<SharedConfig::Stamp>();
    auto result = std::make_shared<Status>();
    {
        std::lock_guard guard(aside_->mutex);
        ++aside_->running;
    }
    loop_.offload(
        [held, written, path = app_.Config("config.ini"), write = writeSettings_, stamp, result, aside = aside_] {
            // A failed write leaves the old file, which the next save replaces; the log hears of
            // it back on the loop's thread.
            *result = write(written, path);
            *stamp = SharedConfig::StampOf(path);
            {
                // The folder is free again once the file is on disk and stamped.
                const ConfigLock released = std::move(*held);
            }
            std::lock_guard guard(aside->mutex);
            --aside->running;
            aside->finished.notify_all();
        },
        [this, alive = std::weak_ptr<bool>(alive_), stamp, result, restOk] {
            if (auto a = alive.lock(); !a || !*a) return;
            shared_.SettingsStamped(app_, *stamp);
            if (Saved(*result) && restOk) told_.clear();
        });
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
