#include "cli/Session.h"

#include <ostream>

#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/TerminalText.h"

namespace orvane::cli {

namespace {

struct CommandEntry {
    const char* name;
    Command run;
};

// Every command by the word that starts it.
const std::vector<CommandEntry>& commands() {
    static const std::vector<CommandEntry> table{
        {"devices", devicesCommand},
        {"status", statusCommand},
        {"apply", applyCommand},
        {"set", setCommand},
        {"profile", profileCommand},
        {"dump", dumpCommand},
        {"reset", resetCommand},
        {"macro", macroCommand},
        {"udev-rule", udevRuleCommand},
        {"language", languageCommand},
        {"follow-programs", followProgramsCommand},
        {"dpi-indicator", dpiIndicatorCommand},
        {"completion", completionCommand},
    };
    return table;
}

}  // namespace

Session::Session(CliArgs args, Platform platform, std::ostream& out, std::ostream& err)
    : context_(std::move(args), std::move(platform), out, err), err_(err) {}

std::vector<std::string> Session::handledCommands() {
    std::vector<std::string> names;
    for (const CommandEntry& entry : commands()) names.emplace_back(entry.name);
    return names;
}

int Session::run() {
    const Outcome failed = dispatch();
    if (!failed) return kExitOk;
    if (context_.json() && !context_.printed()) context_.print(errorJson(failed->code, failed->message));
    err_ << "orvanectl: " << terminalText(failed->message) << "\n";
    return failed->code;
}

Outcome Session::dispatch() {
    const std::string& c = context_.args().command;
    if (c.empty()) return Failure{kExitUsage, "no command given (try --help)"};
    for (const CommandEntry& entry : commands())
        if (c == entry.name) return entry.run(context_);
    return Failure{kExitUsage, "unknown command " + c + " (try --help)"};
}

}  // namespace orvane::cli
