#pragma once
// One run of orvanectl: the files of the application folder, the transport (hidraw or the
// virtual mouse) and the device link, driven by one command.
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "base/EventLoop.h"
#include "cli/CliArgs.h"
#include "cli/CliHost.h"
#include "device/DeviceLink.h"
#include "device/hid/Transport.h"
#include "profile/AppData.h"
#include "profile/AppPaths.h"

namespace orvane::cli {

// Runs the loop until done() or the timeout; true when done.
using RunUntil = std::function<bool(const std::function<bool()>& done, int timeoutMs)>;

struct Platform {
    EventLoop& loop;
    RunUntil runUntil;
    // Makes the transport the first time a command needs one.
    std::function<Result<std::unique_ptr<hid::Transport>>()> makeTransport;
};

class Session {
public:
    Session(CliArgs args, Platform platform, std::ostream& out, std::ostream& err);
    ~Session();

    // The exit status; a failure has printed its one-line message on err.
    int run();

private:
    struct Failure {
        int code;
        std::string message;
    };
    using Outcome = std::optional<Failure>;

    Outcome dispatch();
    Outcome devices();
    Outcome status();
    Outcome apply();
    Outcome set();
    Outcome profile();
    Outcome dump();
    Outcome reset();

    Outcome loadFiles();
    Outcome openTransport();
    // Starts the link; fails unless a device is open (and, when required, the mouse is online).
    Outcome connect(bool requireOnline);
    // Lets a pending pass run, writes a pending save and closes the link.
    Outcome finish();
    Outcome fileFailure() const;
    int profileIndex(const std::string& word) const;
    void print(const std::string& text);

    CliArgs args_;
    Platform platform_;
    std::ostream& out_;
    std::ostream& err_;
    AppFolders folders_;
    std::unique_ptr<AppData> app_;
    std::unique_ptr<CliHost> host_;
    std::unique_ptr<hid::Transport> transport_;
    std::unique_ptr<DeviceLink> link_;
};

}  // namespace orvane::cli
