#include "cli/CliArgs.h"

#include "cli/CommandTable.h"

namespace orvane::cli {

// The program's own options are taken wherever they stand, before the command or after it
// (`orvanectl status --json`); a word after "--" is never one. Other words that start with "-"
// after the command are the command's own (`apply --profile 2`, `reset --yes`).
Result<CliArgs> parseCliArgs(const std::vector<std::string>& argv) {
    CliArgs a;
    bool commandSeen = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& w = argv[i];
        if (!optionsEnded) {
            if (w == "--") {
                optionsEnded = true;
                continue;
            }
            if (w == "--help" || w == "-h") {
                a.help = true;
                continue;
            }
            if (w == "--version") {
                a.version = true;
                continue;
            }
            if (w == "--json") {
                a.json = true;
                continue;
            }
            if (w == "--simulate" || w.rfind("--simulate=", 0) == 0) {
                a.simulate = w.size() > 10 ? w.substr(11) : std::string();
                continue;
            }
            if (w == "--app-dir") {
                if (i + 1 >= argv.size()) return makeError(0, "--app-dir needs a folder");
                a.appDir = argv[++i];
                continue;
            }
            if (w.rfind("--app-dir=", 0) == 0) {
                a.appDir = w.substr(10);
                continue;
            }
            if (!commandSeen && w.size() > 1 && w[0] == '-') return makeError(0, "unknown option " + w);
        }
        if (commandSeen) {
            a.words.push_back(w);
        } else {
            a.command = w;
            commandSeen = true;
        }
    }
    return a;
}

std::string usageText() {
    return R"(Usage: orvanectl [OPTIONS] COMMAND [ARGS]
The options may stand anywhere on the line; after -- every word is an argument.

Configure the Velmira Wireless mouse (wired 248A:5B2E, receiver 248A:5B2F) from the command line.

Options:
  --app-dir DIR         keep the files in DIR/config (also ORVANE_APP_DIR; see Files below)
  --simulate[=OPTIONS]  use the built-in virtual mouse; OPTIONS is a comma-separated list of:
                          sensor=ID         0x3325, 0x3327, 0x3335, 0x3360 or 0x3370 (or the
                                            status reply's code: 0x25, 0x27, 0x35, 0x60, 0x70)
                          battery=PERCENT   0-100
                          charging          the mouse is charging (charge state 1)
                          charged           charge state 2
                          asleep            the mouse is out of radio reach: the receiver reports
                                            it offline and writes through it are lost
                          mac=ID            the mouse's 24-bit Mac_ID, such as 0x123456
                          datachange=N      the macro change counter held by the mouse
                          wired-only        only the mouse on its cable is plugged in
                          receiver-only     only the receiver is plugged in
                          combined-input    the input interface also declares the command report
                          fail-writes[=wired|receiver]
                                            the device refuses every write (status still answers)
  --json                print the result as JSON (also for failures)
  --version             print the version
  -h, --help            show this help

)" + commandsHelp() + R"(
Profiles are numbered 1 to 5, DPI levels 1 to 4 and buttons 1 to 6, as the window shows them.
A change is saved to the profile even when the mouse cannot take it; the command then says what
was not sent and why. With ORVANE_TRACE=1 every frame is traced on standard error
(ORVANE_TRACE=FILE appends to FILE).

Exit status: 0 when everything asked for was done (every frame reached the mouse and every
file was saved), 1 for a device or file failure, 2 for a usage error.

Files: settings, profiles and the macro library live in the configuration folder, shared with
the orvane window: DIR/config with --app-dir DIR or ORVANE_APP_DIR=DIR; else the program's own
config/ when that is writable (a build tree or portable copy); else $XDG_CONFIG_HOME/orvane
(~/.config/orvane), seeded from the shipped defaults on first use. --simulate without --app-dir
uses the simulation/ folder inside it, so the virtual mouse never changes the real files.
While the window runs, a command waits for the window's save in progress and the window takes
in the command's change: neither loses the other's.
)";
}

}  // namespace orvane::cli
