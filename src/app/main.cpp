// orvane: the application. Everything but the choice of platform lives in CTevrinApp.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "app/CTevrinApp.h"
#include "app/CTevrinDlg.h"
#include "app/TerminationSignals.h"
#include "base/Version.h"
#include "platform/PictureStore.h"
#include "platform/qt/QtFocusWatcher.h"
#include "platform/qt/QtNotifier.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTrayIcon.h"
#include "profile/AppPaths.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto options = orvane::parseAppOptions(args);
    if (!options) {
        std::fprintf(stderr, "orvane: %s\n%s", options.error().context.c_str(), orvane::appUsage());
        return 2;
    }
    if (options->version) {
        std::printf("orvane %s\n", orvane::VersionString());
        return 0;
    }
    if (options->help) {
        std::fputs(orvane::appUsage(), stdout);
        std::fputs(orvane::folderInUse(*options).c_str(), stdout);
        return 0;
    }
    // Before Qt starts its threads, so that every thread leaves these signals to the window.
    if (options->screenshot.empty()) orvane::TerminationSignals::Block();
    // A screenshot needs no screen: without one, draw offscreen rather than fail.
    const bool noDisplay = !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
    if (noDisplay && !std::getenv("QT_QPA_PLATFORM")) {
        if (!options->screenshot.empty()) {
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        } else {
            // Qt would abort with a note about reinstalling; say what is missing instead.
            std::fputs("orvane: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set): start it in a "
                       "desktop session; --screenshot FILE works without one, and orvanectl needs none\n",
                       stderr);
            return 1;
        }
    }

    // Our options are not Qt's: hand Qt only the program name.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    // Pictures come from the folder --app-dir names (or ORVANE_APP_DIR) before the installed skin.
    std::optional<std::filesystem::path> appDir;
    if (!options->appDir.empty()) appDir = options->appDir;
    const orvane::FolderEnvironment env = orvane::FolderEnvironment::Current();
    const orvane::FolderRequest request{appDir, options->simulate};
    orvane::platform::qt::QtPlatform platform(qtArgc, qtArgv, orvane::PictureFolderNames(env, request));
    // Pictures decoded at an earlier start are read back rather than decoded again; the main
    // window's first ones are read (or decoded) on the second core while the window is set up.
    if (auto folders = orvane::ResolveFolders(request, env))
        if (const auto store = orvane::PictureStoreFolder(*folders, env))
            platform.images().useStore(std::make_shared<orvane::platform::PictureStore>(*store));
    platform.images().prefetch(orvane::MainWindowFirstPictures(platform.images(), platform.screen().displayScale));
    orvane::CTevrinApp app(*options);
    return app.Run({platform, [] { return orvane::platform::qt::createTrayIcon(); },
                    [] { return orvane::platform::qt::createNotifier(); },
                    [] { return orvane::platform::qt::createFocusWatcher(); }});
}
