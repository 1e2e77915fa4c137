#include "cli/UdevInstall.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>

#include "device/AccessAdvice.h"
#include "profile/AtomicFile.h"

extern char** environ;

namespace orvane::cli {

int RunProgram(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Result<UdevInstallResult> InstallUdevRule(const std::filesystem::path& folder) {
    UdevInstallResult r;
    r.file = folder / kUdevRuleName;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) return makeError(ec.value(), "create " + folder.string());
    if (Status written = WriteFileAtomically(r.file, UdevRuleText()); !written) return written.error();
    // udev runs as root and reads any rule, but an administrator expects the usual mode.
    (void)::chmod(r.file.c_str(), 0644);
    r.reloaded = RunProgram({"udevadm", "control", "--reload-rules"}) == 0;
    if (r.reloaded)
        r.triggered = RunProgram({"udevadm", "trigger", "--subsystem-match=hidraw", "--action=change"}) == 0;
    if (!r.reloaded)
        r.problem =
            "udevadm control --reload-rules failed (is udev running?); plug the mouse in again after udev "
            "has read the rule";
    else if (!r.triggered)
        r.problem = "udevadm trigger failed; plug the mouse in again";
    return r;
}

}  // namespace orvane::cli
