#pragma once
// A long-running program's view of a configuration folder that other programs (orvanectl, a
// text editor, a file sync) may change while it runs. It remembers what it last read or wrote
// of each file, notices a file that changed on disk since, and merges that change into its own
// records without losing its own unsaved changes (ConfigMerge.h). Callers hold the ConfigLock
// around MergeFromDisk and around their writes.
#include <array>
#include <filesystem>
#include <map>

#include "profile/AppData.h"

namespace orvane {

class SharedConfig {
public:
    struct Merged {
        bool settings = false;  // the records in memory changed (not merely the files)
        std::array<bool, kProfileCount> profiles{};
        bool library = false;
        bool sensor = false;  // the stored sensor changed: the DPI tables must follow
        [[nodiscard]] bool Any() const;
    };

    // The records as they were just loaded from (or written to) the folder.
    void Adopt(const AppData& app);
    // A file was replaced, changed or removed since (cheap: one stat per file).
    [[nodiscard]] bool ChangedOnDisk(const AppData& app) const;
    // Reads the files that changed and merges them into app. A file that cannot be read is left
    // alone and marked unread, so that the next save keeps a copy of it.
    Merged MergeFromDisk(AppData& app);

    // After a write: what was written is the common ground from now on.
    void WroteSettings(const AppData& app);
    void WroteProfile(const AppData& app, int index);
    void WroteLibrary(const AppData& app);

    // What a file looked like on disk: taken by a writer on another thread while it still holds
    // the folder's lock, so that a change another program makes right after is not taken for ours.
    struct Stamp {
        bool exists = false;
        uint64_t device = 0, inode = 0, size = 0;
        int64_t mtimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const std::filesystem::path& path);
    // A settings write handed to another thread: `written` is the common ground from now on, and
    // the file as that write left it is recorded with SettingsStamped once it is done.
    void WritingSettings(const Settings& written) { baseSettings_ = written; }
    void SettingsStamped(const AppData& app, const Stamp& onDisk) { stamps_[SettingsPath(app)] = onDisk; }

private:
    static std::filesystem::path SettingsPath(const AppData& app) { return app.Config("config.ini"); }
    static std::filesystem::path LibraryPath(const AppData& app) {
        return app.Config("MacroLibraryFile.mlf");
    }
    [[nodiscard]] bool Changed(const std::filesystem::path& path) const;

    Settings baseSettings_;
    std::array<Profile, kProfileCount> baseProfiles_;
    MacroLibrary baseLibrary_;
    std::map<std::filesystem::path, Stamp> stamps_;
};

}  // namespace orvane
