#include "app/AppOptions.h"

#include <cerrno>

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
        } else if (a == "--simulate") {
            o.simulate = true;
        } else if (a.rfind("--simulate=", 0) == 0) {
            o.simulate = true;
            o.simulateOptions = a.substr(11);
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
    return o;
}

const char* appUsage() {
    return "Usage: orvane [--simulate[=OPTIONS]] [--app-dir DIR] [--screenshot FILE]\n"
           "\n"
           "Configures the Velmira Wireless mouse. Without options it starts hidden in the tray\n"
           "and shows its window when the mouse reports itself online.\n"
           "\n"
           "  --simulate[=OPTIONS]  use the built-in virtual mouse instead of the hardware;\n"
           "                        OPTIONS as for orvanectl, e.g. sensor=0x3335,battery=57,charging,\n"
           "                        asleep, mac=0x123456, receiver-only, wired-only\n"
           "  --app-dir DIR         read config/ and skins/ from DIR instead of the program's folder\n"
           "                        (also ORVANE_APP_DIR)\n"
           "  --screenshot FILE     start up, render the main window as shown with the mouse online,\n"
           "                        write it to FILE as PNG and exit (works without a display)\n"
           "  -h, --help            show this help\n";
}

}  // namespace orvane
