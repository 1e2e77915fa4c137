#include "app/Autostart.h"

#include <sys/stat.h>

#include <cerrno>

#include "profile/AppPaths.h"
#include "profile/AtomicFile.h"

namespace orvane {

namespace fs = std::filesystem;

namespace {

bool plainArgument(const std::string& a) {
    if (a.empty()) return false;
    for (char c : a) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          std::string_view("/._+-=:,@").find(c) != std::string_view::npos;
        if (!safe) return false;
    }
    return true;
}

std::string quoteArgument(const std::string& a) {
    if (plainArgument(a)) return a;
    std::string q = "\"";
    for (char c : a) {
        // Inside quotes these four are escaped with a backslash, and every backslash is then
        // escaped once more because the value itself is a string of the entry.
        if (c == '\\') {
            q += "\\\\\\\\";
            continue;
        }
        if (c == '"' || c == '`' || c == '$') q += "\\\\";
        if (c == '%') q += '%';  // a field code otherwise
        q += c;
    }
    return q + "\"";
}

// The value of key in the [Desktop Entry] group, or nothing.
std::optional<std::string> valueOf(const std::string& text, const std::string& key) {
    size_t pos = 0;
    bool inMain = false;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inMain = line == "[Desktop Entry]";
            continue;
        }
        if (!inMain || line.rfind(key, 0) != 0) continue;
        size_t eq = key.size();
        while (eq < line.size() && line[eq] == ' ') ++eq;
        if (eq >= line.size() || line[eq] != '=') continue;
        size_t v = eq + 1;
        while (v < line.size() && line[v] == ' ') ++v;
        return line.substr(v);
    }
    return std::nullopt;
}

Status makePrivateFolders(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return {};
    if (folder.has_parent_path() && folder.parent_path() != folder) {
        if (Status s = makePrivateFolders(folder.parent_path()); !s) return s;
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return makeError(errno, "create " + folder.string());
    return {};
}

}  // namespace

std::string DesktopExec(const std::vector<std::string>& command) {
    std::string exec;
    for (const std::string& a : command) {
        if (!exec.empty()) exec += ' ';
        exec += quoteArgument(a);
    }
    return exec;
}

std::optional<Autostart> Autostart::ForCurrentUser(const fs::path& program, const std::string& appDir) {
    const auto config = UserConfigHome(FolderEnvironment::Current());
    if (!config) return std::nullopt;
    std::vector<std::string> command{program.string(), "--autostart"};
    if (!appDir.empty()) {
        std::error_code ec;
        const fs::path absolute = fs::absolute(appDir, ec);
        command.insert(command.end(), {"--app-dir", (ec ? fs::path(appDir) : absolute).string()});
    }
    return Autostart(*config / "autostart" / "orvane.desktop", std::move(command));
}

bool Autostart::Enabled() const {
    auto bytes = ReadFileBytes(entry_);
    if (!bytes) return false;
    if (valueOf(*bytes, "Hidden") == "true") return false;
    if (valueOf(*bytes, "X-GNOME-Autostart-enabled") == "false") return false;
    return true;
}

std::string Autostart::EntryText() const {
    std::string text = "[Desktop Entry]\nType=Application\nName=Velmira Orvane\n";
    text += "Comment=Waits in the tray for the Velmira Wireless mouse and shows its battery\n";
    // With the program gone (uninstalled, a portable copy deleted) the desktop skips the entry
    // instead of failing at every login.
    std::string program;
    if (!command_.empty())
        for (char c : command_.front()) program += c == '\\' ? std::string("\\\\") : std::string(1, c);
    if (!program.empty()) text += "TryExec=" + program + "\n";
    text += "Exec=" + DesktopExec(command_) + "\n";
    text += "Icon=orvane\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    return text;
}

Status Autostart::Refresh() {
    if (!Enabled()) return {};
    auto bytes = ReadFileBytes(entry_);
    if (bytes && valueOf(*bytes, "Exec") == DesktopExec(command_) && valueOf(*bytes, "TryExec")) return {};
    return WriteFileAtomically(entry_, EntryText());
}

Status Autostart::SetEnabled(bool on) {
    if (on) {
        if (Status made = makePrivateFolders(entry_.parent_path()); !made) return made;
        return WriteFileAtomically(entry_, EntryText());
    }
    std::error_code ec;
    fs::remove(entry_, ec);
    if (ec) return makeError(ec.value(), "remove " + entry_.string());
    return {};
}

}  // namespace orvane
