#pragma once
// The command line of orvane. The window itself takes no options; these exist for real use
// without hardware, for other install layouts and for headless checks.
#include <optional>
#include <string>
#include <vector>

#include "base/Result.h"

namespace orvane {

struct AppOptions {
    bool simulate = false;
    std::string simulateOptions;  // the text after "--simulate=", as orvanectl takes it
    bool simulateInput = false;   // the virtual mouse takes commands from standard input
    std::string appDir;           // empty: ORVANE_APP_DIR, else the executable's folder
    std::string screenshot;       // empty: run normally
    bool autostart = false;       // started with the desktop session: hidden until the mouse is online
    bool help = false;
    bool version = false;
};

// Accepts "--opt VALUE" and "--opt=VALUE" for the options with a value. Arguments meant for the
// window system (-platform and the like) are not ours and are refused here, so a typo is never
// silently ignored.
Result<AppOptions> parseAppOptions(const std::vector<std::string>& args);

const char* appUsage();
// "Configuration folder in use: ..." for --help, with the reason it was chosen.
std::string folderInUse(const AppOptions& options);

}  // namespace orvane
