#pragma once
// One run of orvanectl: the command the line names, run in its context (cli/CommandContext.h:
// the files of the application folder, the transport and the device link).
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CommandContext.h"

namespace orvane::cli {

class Session {
public:
    Session(CliArgs args, Platform platform, std::ostream& out, std::ostream& err);

    // The exit status; a failure has printed its one-line message on err (and, with --json,
    // a JSON document on out).
    int run();

    // The commands run() knows, hidden ones included.
    static std::vector<std::string> handledCommands();

private:
    Outcome dispatch();

    CommandContext context_;
    std::ostream& err_;
};

}  // namespace orvane::cli
