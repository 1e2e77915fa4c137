#pragma once
// Starting with the desktop session: an entry in $XDG_CONFIG_HOME/autostart that starts this
// program with --autostart; it then waits hidden in the tray for the mouse (the start-minimised
// setting decides), where a start from the menu shows the window at once.
// The entry's presence is the setting, so turning it off in the desktop's own autostart
// settings shows here too.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/Result.h"

namespace orvane {

class Autostart {
public:
    Autostart(std::filesystem::path entry, std::vector<std::string> command)
        : entry_(std::move(entry)), command_(std::move(command)) {}

    // For this user and this program, keeping a folder given with --app-dir; none without a home.
    static std::optional<Autostart> ForCurrentUser(const std::filesystem::path& program,
                                                   const std::string& appDir);

    // The entry exists and the desktop has not switched it off (Hidden, X-GNOME-Autostart-enabled).
    bool Enabled() const;
    Status SetEnabled(bool on);
    // An enabled entry whose command is not this program's as it runs now (written by an
    // earlier version, without --autostart, or for another folder) is written again; one the
    // desktop switched off is left alone.
    Status Refresh();

    const std::filesystem::path& Entry() const { return entry_; }
    std::string EntryText() const;

private:
    std::filesystem::path entry_;
    std::vector<std::string> command_;
};

// The Exec value of a desktop entry for these arguments, quoted and escaped as the format asks.
std::string DesktopExec(const std::vector<std::string>& command);

}  // namespace orvane
