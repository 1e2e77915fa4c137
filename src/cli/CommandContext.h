#pragma once
// What every orvanectl command runs in: its arguments, the files of the application folder
// (locked and loaded when the command asks), the transport (hidraw or the virtual mouse), the
// device link, and the report the command fills and ends with. The commands themselves are
// free functions (cli/Commands.h); this class is what they share.
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/EventLoop.h"
#include "cli/CliArgs.h"
#include "cli/CliHost.h"
#include "cli/CommandReport.h"
#include "device/AccessAdvice.h"
#include "device/DeviceLink.h"
#include "device/hid/Transport.h"
#include "profile/AppData.h"
#include "profile/AppPaths.h"
#include "profile/ConfigLock.h"

namespace orvane::cli {

// Runs the loop until done() or the timeout; true when done.
using RunUntil = std::function<bool(const std::function<bool()>& done, int timeoutMs)>;

struct Platform {
    EventLoop& loop;
    RunUntil runUntil;
    // Makes the transport the first time a command needs one.
    std::function<Result<std::unique_ptr<hid::Transport>>()> makeTransport;
    // Where udev rules are looked for when access to the mouse is denied.
    std::vector<std::filesystem::path> udevRuleFolders = UdevRuleFolders();
    // The locale variables the interface language follows; none: English.
    EnvironmentLookup environment = {};
};

// Why a command failed: its exit status and the one-line message said on standard error.
struct Failure {
    int code;
    std::string message;
};
// What a command returns: nothing when it succeeded.
using Outcome = std::optional<Failure>;

class CommandContext {
public:
    CommandContext(CliArgs args, Platform platform, std::ostream& out, std::ostream& err);
    ~CommandContext();
    CommandContext(const CommandContext&) = delete;
    CommandContext& operator=(const CommandContext&) = delete;

    [[nodiscard]] const CliArgs& args() const { return args_; }
    // The words after the command ("show", "2" for "profile show 2").
    [[nodiscard]] const std::vector<std::string>& words() const { return args_.words; }
    [[nodiscard]] bool json() const { return args_.json; }
    [[nodiscard]] Platform& platform() { return platform_; }

    // The folders --app-dir and --simulate name, only looked at: nothing is created or seeded.
    [[nodiscard]] Result<AppFolders> resolveFolders() const;

    // Prints the command's own output: JSON as it is, plain text made safe for the terminal.
    void print(const std::string& text);
    // The command printed something of its own (then a failure adds no JSON document of its own).
    [[nodiscard]] bool printed() const { return printed_; }

    // ---- The files ----
    // Creates and seeds the configuration folder if need be, takes its lock for the rest of
    // the command and loads every file, warning on standard error about what had to be replaced.
    Outcome loadFiles();
    // After loadFiles().
    [[nodiscard]] AppData& app() { return *app_; }
    [[nodiscard]] CliHost& host() { return *host_; }
    // A read command's failure when `file` (of the config folder) could not be read at loading.
    [[nodiscard]] Outcome requireReadable(const std::filesystem::path& file) const;

    // ---- The mouse ----
    Outcome openTransport();
    // After openTransport().
    [[nodiscard]] hid::Transport& transport() { return *transport_; }

    // Why a write command could not reach the mouse at all.
    struct Unreachable {
        NotSentReason reason;
        std::string detail;
    };
    // Starts the link. Returns why no device can carry a frame, if none can; write commands
    // report that instead of failing before they have saved what they were asked to.
    std::optional<Unreachable> connect();
    // After connect().
    [[nodiscard]] DeviceLink& link() { return *link_; }
    // Lets the link's traffic that is running or waiting (a status read, a reset) end.
    void awaitLink();

    // ---- The report ----
    // Starts the report of a command that changes something: `command` as it is named,
    // `change` what it does in words.
    CommandReport& beginReport(std::string command, std::string change);
    // After beginReport().
    [[nodiscard]] CommandReport& report() { return *report_; }
    // The change, then the passes that carry it, then the save, all into the report.
    Outcome changeAndSend(const std::function<void()>& change, const std::vector<SyncGroup>& groups, bool whole);
    // Collects the host's passes and files into the report, prints it, and fails unless done.
    Outcome conclude();

private:
    // Lets the armed pass run to its end.
    void settle();
    // Writes what the link would write at its deferred save, or everything when it has none.
    void save();
    std::string configDir() const;

    CliArgs args_;
    Platform platform_;
    std::ostream& out_;
    std::ostream& err_;
    AppFolders folders_;
    std::optional<ConfigLock> lock_;  // held from loading the files to the end of the command
    std::unique_ptr<AppData> app_;
    std::unique_ptr<CliHost> host_;
    std::unique_ptr<hid::Transport> transport_;
    std::unique_ptr<DeviceLink> link_;
    std::optional<CommandReport> report_;
    bool printed_ = false;
};

// Profiles are numbered 1-5 as the window shows them: the index, or -1 for anything else.
int profileNumber(const std::string& word);
// The one-line description of a file that could not be read: "x.psf: no such file".
std::string fileProblem(const std::string& path, const Error& error);
// How the hidraw device could not be opened, with the fix for a permission problem.
std::string openProblem(const Error& error, const std::string& path,
                        const std::vector<std::filesystem::path>& udevRuleFolders);

}  // namespace orvane::cli
