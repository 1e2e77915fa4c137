#pragma once
// The application object: one instance per session, the device transport (hardware or the
// virtual mouse), the main window run modally, and the order in which things end.
#include <functional>
#include <memory>

#include "app/AppOptions.h"
#include "platform/FocusWatcher.h"
#include "platform/Notifier.h"
#include "platform/Platform.h"
#include "platform/TrayIcon.h"

namespace orvane {

class CTevrinApp {
public:
    struct Environment {
        platform::Platform& platform;
        // Makes the notification-area icon; may return none.
        std::function<std::unique_ptr<platform::TrayIcon>()> makeTray;
        // Makes the desktop notifications; may return none (no session bus).
        std::function<std::unique_ptr<platform::Notifier>()> makeNotifier;
        // Makes what tells which program has the focus; may be unset or return none.
        std::function<std::unique_ptr<platform::FocusWatcher>()> makeFocusWatcher = {};
    };

    explicit CTevrinApp(AppOptions options) : options_(std::move(options)) {}

    // The process's exit status: 0 normally and for a second instance, 1 when the start failed
    // (a message has been written to standard error), 2 for a bad option value.
    int Run(Environment env);

private:
    int TakeScreenshot(platform::Platform& platform, class CTevrinDlg& dlg);

    AppOptions options_;
};

// Where a PNG written by --screenshot may go: refuses an empty name and an existing folder.
bool screenshotPathUsable(const std::string& path);

}  // namespace orvane
