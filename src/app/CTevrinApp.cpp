#include "app/CTevrinApp.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "app/CTevrinDlg.h"
#include "app/InstanceChannel.h"
#include "app/MainIds.h"
#include "app/MouseSettingsLauncher.h"
#include "app/SimulatorConsole.h"
#include "app/TerminationSignals.h"
#include "device/hid/HidrawTransport.h"
#include "device/sim/SimTransport.h"
#include "profile/AppPaths.h"
#include "profile/LanguageChoice.h"

namespace orvane {

namespace {

// How long a screenshot run lets the start-up traffic (status read, first pass) settle.
constexpr int kScreenshotSettleMs = 400;
const int kSettleTimerOwner = 0;

}  // namespace

bool screenshotPathUsable(const std::string& path) {
    std::error_code ec;
    return !path.empty() && !std::filesystem::is_directory(path, ec);
}

int CTevrinApp::Run(Environment env) {
    platform::Platform& platform = env.platform;
    const bool screenshot = !options_.screenshot.empty();
    if (screenshot && !screenshotPathUsable(options_.screenshot)) {
        std::fprintf(stderr, "orvane: cannot write a screenshot to '%s'\n", options_.screenshot.c_str());
        return 2;
    }

    std::unique_ptr<hid::Transport> transport;
    std::unique_ptr<SimulatorConsole> console;
    if (options_.simulate) {
        auto sim = sim::parseSimOptions(options_.simulateOptions);
        if (!sim) {
            std::fprintf(stderr, "orvane: --simulate: %s\n", sim.error().message().c_str());
            return 2;
        }
        auto mouse = std::make_unique<sim::SimTransport>(sim.value(), &platform.loop());
        if (options_.simulateInput && !screenshot)
            console = std::make_unique<SimulatorConsole>(platform.loop(), *mouse, STDIN_FILENO);
        transport = std::move(mouse);
    } else {
        transport = std::make_unique<hid::HidrawTransport>();
    }

    // A screenshot is a look at the window, not a second session: it never talks to a running
    // instance.
    InstanceChannel channel;
    CTevrinDlg* running = nullptr;
    if (!screenshot) {
        auto role = channel.claim(platform.loop(), [&running] {
            if (running) running->SendMessage(mainwnd::kMsgActivate);
        });
        // A failure here (no runtime folder) is no reason not to start.
        if (role && *role != InstanceChannel::Role::First) return 0;
    }

    auto folders = ResolveFolders(FolderRequest{options_.appDir.empty() ? std::nullopt
                                                                        : std::optional<std::filesystem::path>(options_.appDir),
                                                options_.simulate});
    if (folders) {
        if (Status prepared = PrepareConfigFolder(*folders); !prepared) folders = prepared.error();
    }
    if (!folders) {
        std::fprintf(stderr, "orvane: cannot %s\n", folders.error().message().c_str());
        return 1;
    }
    AppData app(ConfigFolder{folders->config});
    app.languageSources = {folders->shipped / "config", ProcessEnvironment()};
    // A look at the window or at the virtual mouse changes nothing of the user's session.
    const bool session = !screenshot && !options_.simulate;
    std::optional<Autostart> autostart;
    if (session) autostart = Autostart::ForCurrentUser(ExecutableFolder() / "orvane", options_.appDir);
    // An entry an earlier version wrote would start the window shown at every login.
    if (autostart)
        if (Status refreshed = autostart->Refresh(); !refreshed)
            std::fprintf(stderr, "orvane: cannot update the autostart entry: %s\n", refreshed.error().message().c_str());
    CTevrinDlg dlg(platform, app,
                   CTevrinDlg::Services{*transport, screenshot || !env.makeTray ? nullptr : env.makeTray(),
                                        [] { return openMouseSettings(); },
                                        screenshot || !env.makeNotifier ? nullptr : env.makeNotifier(),
                                        std::move(autostart), {},
                                        options_.autostart ? StartKind::Session : StartKind::User,
                                        options_.simulate, UdevRuleFolders(),
                                        screenshot || !env.makeFocusWatcher ? nullptr : env.makeFocusWatcher(),
                                        screenshot ? ConfigSync::FolderWatcher{} : &FolderWatch::Start});
    running = &dlg;
    // Logout and Ctrl+C leave as the tray's exit does, through the save that may be pending.
    TerminationSignals signals;
    if (!screenshot)
        (void)signals.Watch(platform.loop(), [&running] {
            if (running) running->SendMessage(mainwnd::kMsgCommand, mainwnd::kCmdExit, 0);
        });
    int status = 0;
    if (screenshot) {
        status = TakeScreenshot(platform, dlg);
    } else {
        (void)dlg.DoModal();
    }
    running = nullptr;
    console.reset();
    dlg.Shutdown();
    return status;
}

int CTevrinApp::TakeScreenshot(platform::Platform& platform, CTevrinDlg& dlg) {
    if (!dlg.Create()) {
        std::fprintf(stderr, "orvane: the main window could not be created\n");
        return 1;
    }
    // Let the status reply and the first pass arrive, as they would before the user looks.
    if (auto* w = dlg.GetWindow()) {
        platform.loop().setTimer(&kSettleTimerOwner, 1, kScreenshotSettleMs, [w, &platform] {
            platform.loop().killTimer(&kSettleTimerOwner, 1);
            w->endModal(0);
        });
        (void)w->runModal();
    }
    dlg.ShowAsOnline();
    const platform::Image image = platform.render(dlg.WindowSize(), [&dlg](platform::Painter& p) { dlg.Render(p); });
    if (auto saved = platform.savePng(image, options_.screenshot); !saved) {
        std::fprintf(stderr, "orvane: %s\n", saved.error().message().c_str());
        return 1;
    }
    return 0;
}

}  // namespace orvane
