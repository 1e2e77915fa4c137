#pragma once
// The window's side of "one writer at a time" in its configuration folder. Every read-to-write
// of the files happens under the folder's ConfigLock: orvanectl holds it for a whole command,
// the window only for a load, a save or a reload, and never waits for it on the UI thread: a
// save that finds the folder busy is kept and retried a moment later. When the kernel tells that
// something in the folder changed (a FolderWatch; without one, once a second) the window looks
// whether another program changed a file; if so it merges that change into its own records (its
// own unsaved changes survive) and lets onMerged refresh the pages and resend what differs to
// the mouse. A save that fails (not one kept for a busy folder) is told through warn,
// once for as long as it keeps failing the same way.
//
// The settings file is written and flushed to disk on the loop's worker thread (the one that
// also runs the device transfers), with the folder's lock handed over to it: a save at the end of
// a pass does not hold up the window. While that write runs the lock is taken, so a later save
// waits for it like for any other writer and is never overtaken by it; Flush waits for it too.
#include <bitset>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "base/EventLoop.h"
#include "base/Result.h"
#include "profile/AppData.h"
#include "profile/ConfigLock.h"
#include "profile/FolderWatch.h"
#include "profile/SharedConfig.h"

namespace orvane {

class ConfigSync {
public:
    static constexpr int kCheckMs = 1000;
    // After the kernel's word of a change, the look waits this long: a writer's burst of
    // events (temporary file, rename, lock released) gives one look.
    static constexpr int kSettleMs = 50;
    static constexpr int kRetryMs = 250;
    static constexpr int kLoadWaitMs = 3000;

    using Warn = std::function<void(const std::string&)>;
    // The program's log: standard error.
    static void WarnOnStandardError(const std::string& problem);
    // Writes the settings table to the file; tests stand in for it.
    using SettingsWriter = std::function<Status(const Settings&, const std::filesystem::path&)>;
    // Starts the kernel's watch on the folder (FolderWatch::Start). None, or one that fails: the
    // folder is looked at every kCheckMs instead.
    using FolderWatcher =
        std::function<Result<std::unique_ptr<FolderWatch>>(const std::filesystem::path&, FolderWatch::OnChange)>;

    ConfigSync(AppData& app, EventLoop& loop, std::function<void(const SharedConfig::Merged&)> onMerged,
               Warn warn = WarnOnStandardError, SettingsWriter writeSettings = {}, FolderWatcher watchFolder = {});
    ~ConfigSync();
    ConfigSync(const ConfigSync&) = delete;
    ConfigSync& operator=(const ConfigSync&) = delete;

    // Runs the start-up load under the lock (waiting a little for a command in progress), takes
    // what it loaded as the common ground and starts looking for changes.
    void Load(const std::function<void()>& load);

    // Each writes now when the folder is free and returns whether it did (the settings: handed to
    // the worker); otherwise the write is kept, retried, and false returned.
    bool WriteSettings();
    bool WriteProfile(int index);
    void SaveAll();
    bool WriteLibrary();

    // Waits for a settings write still running on the worker, then writes whatever is still
    // kept on this thread, waiting for the folder up to timeoutMs (at the end).
    void Flush(int timeoutMs);
    // Looks for files another program changed and merges them (the timer's work).
    void Check();
    // Whether the kernel tells of changes (else the folder is looked at every kCheckMs).
    [[nodiscard]] bool Watching() const { return watch_ != nullptr; }
    [[nodiscard]] bool WritesKept() const { return settings_ || profiles_.any() || library_; }

private:
    // Settings writes running on the worker, for Flush to wait on from this thread.
    struct Aside {
        std::mutex mutex;
        std::condition_variable finished;
        int running = 0;
    };

    // With the lock: merges what changed on disk, then writes what is kept; the settings on the
    // worker when `aside` allows it.
    bool WriteKept(int lockTimeoutMs, bool aside);
    // Hands the settings as they are now and the lock to the worker; restOk: whether the other
    // files of this save went through.
    void WriteSettingsAside(ConfigLock lock, bool restOk);
    // Whether the save went through; a failure not told since the last clean save is told.
    bool Saved(const Status& status);
    void Merged(const SharedConfig::Merged& m);
    void StartWatching();
    // On the loop's thread, for each batch of the watch's events.
    void FolderChanged(bool lost);
    // A profile kept outside the folder is not in the watch.
    [[nodiscard]] bool WatchCoversEverything() const;
    // Looks once a second while there is no watch or it does not cover every file.
    void KeepLooking();
    // One look in ms, unless one is already waiting.
    void LookSoon(int ms);

    AppData& app_;
    EventLoop& loop_;
    std::function<void(const SharedConfig::Merged&)> onMerged_;
    Warn warn_;
    std::set<std::string> told_;
    SettingsWriter writeSettings_;
    std::shared_ptr<Aside> aside_ = std::make_shared<Aside>();
    SharedConfig shared_;
    bool settings_ = false;
    std::bitset<kProfileCount> profiles_;
    bool library_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    FolderWatcher watchFolder_;
    std::unique_ptr<FolderWatch> watch_;  // last: its thread ends before the rest goes
};

}  // namespace orvane
