#pragma once
// One run of orvanectl: the files of the application folder, the transport (hidraw or the
// virtual mouse) and the device link, driven by one command from the command table.
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
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

class Session {
public:
    Session(CliArgs args, Platform platform, std::ostream& out, std::ostream& err);
    ~Session();

    // The exit status; a failure has printed its one-line message on err (and, with --json,
    // a JSON document on out).
    int run();

    // The commands run() knows, hidden ones included.
    static std::vector<std::string> handledCommands();

private:
    struct Failure {
        int code;
        std::string message;
    };
    using Outcome = std::optional<Failure>;
    using Handler = Outcome (Session::*)();
    struct CommandEntry {
        const char* name;
        Handler handler;
    };
    // Every command by name; a new command is one entry here and one handler.
    static const std::vector<CommandEntry>& commands();

    // Why a write command could not reach the mouse at all.
    struct Unreachable {
        NotSentReason reason;
        std::string detail;
    };

    Outcome dispatch();
    Outcome devices();
    Outcome status();
    Outcome statusFailure(const Result<AppFolders>& folders, Failure failure);
    Outcome apply();
    Outcome set();
    Outcome profile();
    Outcome profileShow();
    Outcome profileExport();
    Outcome profileImport();
    Outcome profileSelect();
    Outcome profilePrograms();
    Outcome dump();
    Outcome reset();
    Outcome macro();
    Outcome macroList();
    Outcome macroShow();
    Outcome macroExport();
    Outcome macroImport();
    Outcome macroDelete();
    std::variant<uint32_t, Failure> macroSet(const std::string& word) const;
    std::variant<std::pair<uint32_t, uint32_t>, Failure> findMacro(const std::string& name,
                                                                   const std::string* setWord) const;
    Outcome udevRule();
    Outcome completion();
    Outcome language();
    Outcome followPrograms();
    Outcome dpiIndicator();
    struct ToggleDef;
    Outcome toggle(const ToggleDef& def);

    Outcome loadFiles();
    // A read command's failure when `file` (of the config folder) could not be read at loading.
    Outcome requireReadable(const std::filesystem::path& file) const;
    Outcome openTransport();
    // Starts the link. Returns why no device can carry a frame, if none can; write commands
    // report that instead of failing before they have saved what they were asked to.
    std::optional<Unreachable> connect();
    // The change, then the passes that carry it, then the save, all into the report.
    Outcome changeAndSend(const std::function<void()>& change, const std::vector<SyncGroup>& groups, bool whole);
    // Lets the link's traffic that is running or waiting (a status read, a reset) end.
    void awaitLink();
    // Lets the armed pass run to its end.
    void settle();
    // Writes what the link would write at its deferred save, or everything when it has none.
    void save();
    // Collects the host's passes and files into the report, prints it, and fails unless done.
    Outcome conclude();
    std::string configDir() const;
    // Profiles are numbered 1-5 as the window shows them; -1 for anything else.
    static int profileNumber(const std::string& word);
    void print(const std::string& text);

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
    bool printed_ = false;  // the command printed its own output
};

// The one-line description of a file that could not be read: "x.psf: no such file".
std::string fileProblem(const std::string& path, const Error& error);
// How the hidraw device could not be opened, with the fix for a permission problem.
std::string openProblem(const Error& error, const std::string& path,
                        const std::vector<std::filesystem::path>& udevRuleFolders);

}  // namespace orvane::cli
