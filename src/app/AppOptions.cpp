#include "app/AppOptions.h"

#include <cerrno>

#include "profile/AppPaths.h"

namespace orvane {

namespace {

// "--name=VALUE" or "--name VALUE"; advances i past a separate value.
std::optional<Result<std::string>> takeValue(const std::vector<std::string>& args, size_t& i, const std::string& name) {
    const std::string& a = args[i];
    if (a == name) {
        if (i + 1 >= args.size() || args[i + 1].empty())
            return Result<std::string>(makeError(EINVAL, name + " needs a value"));
        return Result<std::string>(args[++i]);
    }
    if (a.rfind(name + "=", 0) == 0) {
        std::string v = a.substr(name.size() + 1);
        if (v.empty()) return Result<std::string>(makeError(EINVAL, name + " needs a value"));
        return Result<std::string>(std::move(v));
    }
    return std::nullopt;
}

}  // namespace

Result<AppOptions> parseAppOptions(const std::vector<std::string>& args) {
    AppOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--autostart") {
            o.autostart = true;
        } else if (a == "--simulate") {
            o.simulate = true;
        } else if (a.rfind("--simulate=", 0) == 0) {
            o.simulate = true;
            o.simulateOptions = a.substr(11);
        } else if (a == "--simulate-input") {
            o.simulateInput = true;
        } else if (auto v = takeValue(args, i, "--app-dir")) {
            if (!*v) return v->error();
            o.appDir = v->value();
        } else if (auto s = takeValue(args, i, "--screenshot")) {
            if (!*s) return s->error();
            o.screenshot = s->value();
        } else {
            return makeError(EINVAL, "unknown option " + a);
        }
    }
    if (o.simulateInput && !o.simulate) return makeError(EINVAL, "--simulate-input needs --simulate");
    return o;
}

const char* appUsage() {
    return "Usage: orvane [--simulate[=OPTIONS] [--simulate-input]] [--app-dir DIR] [--autostart] [--screenshot FILE]\n"
           "       orvane --help | --version\n"
           "\n"
           "Configures the Velmira Wireless mouse. It opens its window, which says whether the\n"
           "mouse is connected; a second start shows the running window.\n"
           "\n"
           "  --simulate[=OPTIONS]  use the built-in virtual mouse instead of the hardware;\n"
           "                        OPTIONS as for orvanectl, e.g. sensor=0x3335,battery=57,charging,\n"
           "                        asleep, mac=0x123456, receiver-only, wired-only\n"
           "  --simulate-input      the virtual mouse takes commands from standard input, one per\n"
           "                        line, as orvane-virtual-mouse does: dpi 1-4, cycle-dpi (its DPI\n"
           "                        button), polling 1|2|4|8, battery 0-100, charging 0|1|2, sleep,\n"
           "                        wake, plug|unplug wired|receiver, reset\n"
           "  --app-dir DIR         keep the settings, profiles and macros in DIR/config; pictures\n"
           "                        come from DIR/skins where it has them (also ORVANE_APP_DIR)\n"
           "  --autostart           as the login entry starts it: wait hidden in the tray until the\n"
           "                        mouse reports itself online (minimised where there is no tray)\n"
           "  --screenshot FILE     start up, render the main window as it shows the mouse's state,\n"
           "                        write it to FILE as PNG and exit (works without a display)\n"
           "  --version             print the version and exit\n"
           "  -h, --help            show this help\n"
           "\n"
           "Settings, profiles and the macro library live in the configuration folder: DIR/config\n"
           "with --app-dir DIR or ORVANE_APP_DIR=DIR; else the program's own config/ when that is\n"
           "writable (a build tree or portable copy); else $XDG_CONFIG_HOME/orvane (~/.config/orvane),\n"
           "seeded from the shipped defaults on first start. --simulate without --app-dir uses the\n"
           "simulation/ folder inside it, so the virtual mouse never changes the real files.\n"
           "Every shipped file is looked for in the user's folder first (DIR, else\n"
           "$XDG_CONFIG_HOME/orvane), then in the installed copy: a picture missing from DIR/skins\n"
           "is drawn from the installed skin, and missing default files are copied into the\n"
           "configuration folder.\n";
}

std::string folderInUse(const AppOptions& options) {
    FolderRequest request;
    if (!options.appDir.empty()) request.appDir = options.appDir;
    request.simulate = options.simulate;
    auto folders = ResolveFolders(request);
    if (!folders) return "\nConfiguration folder: none (cannot " + folders.error().message() + ")\n";
    return "\nConfiguration folder in use: " + DescribeConfigFolder(*folders) + "\n";
}

}  // namespace orvane
