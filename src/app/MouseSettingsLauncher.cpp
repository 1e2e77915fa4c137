#include "app/MouseSettingsLauncher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace orvane {

namespace {

struct Candidate {
    const char* desktop;  // as XDG_CURRENT_DESKTOP names it
    std::vector<std::string> argv;
};

// In the order tried when the session names no desktop we know.
const std::vector<Candidate>& candidates() {
    static const std::vector<Candidate> list = {
        {"GNOME", {"gnome-control-center", "mouse"}},
        {"KDE", {"systemsettings", "kcm_mouse"}},
        {"KDE", {"kcmshell6", "kcm_mouse"}},
        {"KDE", {"kcmshell5", "kcm_mouse"}},
        {"XFCE", {"xfce4-mouse-settings"}},
        {"LXQt", {"lxqt-config-input"}},
        {"MATE", {"mate-mouse-properties"}},
        {"X-Cinnamon", {"cinnamon-settings", "mouse"}},
        {"Budgie", {"gnome-control-center", "mouse"}},
        {"Unity", {"gnome-control-center", "mouse"}},
    };
    return list;
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::stringstream in(s);
    std::string part;
    while (std::getline(in, part, sep))
        if (!part.empty()) out.push_back(part);
    return out;
}

std::optional<std::string> which(const std::string& name, const std::vector<std::string>& dirs,
                                 const std::function<bool(const std::string&)>& isExecutable) {
    for (const auto& d : dirs) {
        std::string p = d + (d.back() == '/' ? "" : "/") + name;
        if (isExecutable(p)) return p;
    }
    return std::nullopt;
}

bool executableFile(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<SettingsCommand> findMouseSettingsCommand(const std::string& pathList, const std::string& desktops,
                                                        const std::function<bool(const std::string&)>& isExecutable) {
    const auto dirs = split(pathList, ':');
    auto tryOne = [&](const Candidate& c) -> std::optional<SettingsCommand> {
        auto found = which(c.argv[0], dirs, isExecutable);
        if (!found) return std::nullopt;
        SettingsCommand cmd{c.argv};
        cmd.argv[0] = *found;
        return cmd;
    };
    // The session's own desktop first: a Plasma user with GNOME's panel installed wants Plasma's.
    for (const auto& desktop : split(desktops, ':'))
        for (const auto& c : candidates())
            if (desktop == c.desktop)
                if (auto cmd = tryOne(c)) return cmd;
    for (const auto& c : candidates())
        if (auto cmd = tryOne(c)) return cmd;
    return std::nullopt;
}

Status launchDetached(const std::vector<std::string>& argv) {
    if (argv.empty()) return makeError(EINVAL, "start the mouse settings: no command");
    // Everything the children need is prepared before fork: after it only async-signal-safe
    // calls are allowed, since other threads (the device readers) may hold locks.
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int pipeFd[2];
    if (::pipe2(pipeFd, O_CLOEXEC) != 0) return makeError(errno, "start " + argv[0]);
    const pid_t child = ::fork();
    if (child < 0) {
        const int e = errno;
        ::close(pipeFd[0]);
        ::close(pipeFd[1]);
        return makeError(e, "start " + argv[0]);
    }
    if (child == 0) {
        // The intermediate child leaves at once so the program is adopted by init and never
        // becomes our zombie; the grandchild reports a failed exec through the pipe.
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execv(args[0], args.data());
            const int e = errno;
            (void)!::write(pipeFd[1], &e, sizeof e);
            ::_exit(127);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(pipeFd[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int execErr = 0;
    ssize_t n;
    while ((n = ::read(pipeFd[0], &execErr, sizeof execErr)) < 0 && errno == EINTR) {
    }
    ::close(pipeFd[0]);
    if (n == sizeof execErr) return makeError(execErr, "start " + argv[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return makeError(EAGAIN, "start " + argv[0]);
    return {};
}

bool openMouseSettings() {
    const char* path = std::getenv("PATH");
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    auto cmd = findMouseSettingsCommand(path ? path : "/usr/local/bin:/usr/bin:/bin", desktop ? desktop : "",
                                        executableFile);
    return cmd && launchDetached(cmd->argv).ok();
}

}  // namespace orvane
