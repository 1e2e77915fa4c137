// The main window on the real Qt platform against the virtual mouse: start to first painted
// frame, resident memory with the window shown, full repaints, device notification to refreshed
// pages, the largest synchronisation pass there is (how long the UI loop stalls during it and
// the CPU it costs), and (with --idle SECONDS) the CPU used while hidden with the mouse online.
// Figures are printed one per line as "name: value unit".
//   --simulate OPTIONS   the virtual mouse's state (as orvane --simulate=OPTIONS)
//   --startup-macros     the current profile plays six 168-command macros before the start, so
//                        a start-up pass that writes the whole profile (receiver-only: a mouse the
//                        receiver was not paired with) uploads all of them
//   --no-pass            leaves the largest-pass figures out
//   --side-by-side SECS  after the first paint only: resident memory 10 s after the start with
//                        the window shown, then the CPU used over SECS with the window hidden
//                        (with --bare too, for the bare window's figures; run-side-by-side)
//   --bare [--text]      the bare frameless window instead, filled with one colour (and with
//                        one line of text)
#include <malloc.h>
#include <sys/resource.h>

#include <QApplication>
#include <QEventLoop>
#include <QFont>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/CTevrinDlg.h"
#include "app/MainIds.h"
#include "device/sim/SimTransport.h"
#include "platform/PictureStore.h"
#include "platform/qt/QtPlatform.h"
#include "profile/AppPaths.h"
#include "profile/FolderWatch.h"
#include "profile/LanguageFile.h"
#include "profile/MacroLibraryFile.h"
#include "profile/Storage.h"

using namespace orvane;
using Clock = std::chrono::steady_clock;

namespace {

const Clock::time_point kProcessStart = Clock::now();

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

double residentMb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// Heap in use (small blocks from the arenas plus large mapped blocks), in MB.
double heapMb() {
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
}

void stage(const char* name) {
    const struct mallinfo2 m = mallinfo2();
    std::printf("  %-28s rss %5.1f MB  heap %5.1f MB (arena %.1f, free in it %.1f, mapped %.1f)\n", name, residentMb(),
                heapMb(), double(m.arena) / 1048576.0, double(m.fordblks) / 1048576.0, double(m.hblkhd) / 1048576.0);
}

// Resident memory by mapping (file name, or the kind of anonymous memory), the largest first.
void residentByMapping() {
    std::ifstream in("/proc/self/smaps");
    std::string line, name;
    std::vector<std::pair<std::string, double>> sums;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        if (std::isxdigit(static_cast<unsigned char>(line[0])) && line.find('-') < line.find(' ')) {
            // "start-end perms offset dev inode [path]"
            size_t pos = 0;
            for (int field = 0; field < 5 && pos != std::string::npos; ++field) pos = line.find(' ', pos + 1);
            const size_t start = pos == std::string::npos ? pos : line.find_first_not_of(' ', pos);
            name = start == std::string::npos ? std::string() : line.substr(start);
            if (name.empty()) name = "[anonymous]";
            if (const size_t slash = name.rfind('/'); slash != std::string::npos && name[0] == '/')
                name = name.substr(slash + 1);
        } else if (line.rfind("Rss:", 0) == 0) {
            const double mb = std::stod(line.substr(4)) / 1024.0;
            auto it = std::find_if(sums.begin(), sums.end(), [&](const auto& s) { return s.first == name; });
            if (it == sums.end()) sums.emplace_back(name, mb);
            else it->second += mb;
        }
    }
    std::sort(sums.begin(), sums.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    for (size_t i = 0; i < sums.size() && i < 40; ++i)
        std::printf("    %-40s %5.1f MB\n", sums[i].first.c_str(), sums[i].second);
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the Qt event loop for ms.
void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The figures the bare window and the main window are compared by: resident memory 10 s after
// the start, window shown (and, for the main window, the mouse online), then the CPU time over
// wall time for idleSeconds with the window hidden, after a second for hiding to settle.
void sideBySide(int idleSeconds, const std::function<void()>& hide) {
    const double wait = 10000.0 - msSince(kProcessStart);
    if (wait > 0) runFor(int(wait));
    std::printf("resident_memory_10s: %.1f MB\n", residentMb());
    hide();
    runFor(1000);
    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    runFor(idleSeconds * 1000);
    const double wall = msSince(t0) / 1000.0;
    std::printf("idle_cpu_hidden: %.3f %% over %.0f s\n", 100.0 * (cpuSeconds() - cpu0) / wall, wall);
}

// A frameless window of the main window's size that fills itself with one colour: what Qt alone
// costs, to compare with. With text, it also draws one line in the main window's face: what the
// first use of the text stack (font lookup, shaping, glyphs) adds to that.
class BareWindow : public QWidget {
public:
    explicit BareWindow(bool text) : QWidget(nullptr, Qt::FramelessWindowHint), text_(text) { setFixedSize(1127, 740); }
    bool painted = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x1a, 0x1d, 0x22));
        if (text_) {
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(13);
            p.setFont(f);
            p.setPen(QColor(0xeb, 0xeb, 0xeb));
            p.drawText(QPoint(40, 40), QStringLiteral("Velmira Orvane: DPI 800 1600 3200 6400, polling rate 1000 Hz"));
        }
        painted = true;
    }

private:
    bool text_;
};

int bareWindow(bool stages, int sideBySideSeconds, bool text) {
    int argc = 1;
    char name[] = "orvane-bench-app";
    char* argv[] = {name, nullptr};
    if (stages) stage("start");
    QApplication app(argc, argv);
    if (stages) stage("QApplication");
    BareWindow w(text);
    w.show();
    while (!w.painted && msSince(kProcessStart) < 5000) QApplication::processEvents();
    QApplication::processEvents();
    if (stages) {
        stage("first paint");
        residentByMapping();
    }
    std::printf("start_to_first_paint: %.1f ms\n", msSince(kProcessStart));
    std::printf("resident_memory_shown: %.1f MB\n", residentMb());
    if (sideBySideSeconds > 0) sideBySide(sideBySideSeconds, [&w] { w.hide(); });
    return 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Notes when the first frame reaches the screen, and when a pass writes the settings file: the
// macro upload does that right after its last frame, the change counter.
class TimedWindow : public CTevrinDlg {
public:
    using CTevrinDlg::CTevrinDlg;
    double firstPaintMs = -1;
    std::function<void()> onSettingsWritten;

    bool writeSettings() override {
        if (onSettingsWritten) onSettingsWritten();
        return CTevrinDlg::writeSettings();
    }

protected:
    void DrawWindow(platform::Painter& p, const platform::Rect& client) override {
        CTevrinDlg::DrawWindow(p, client);
        if (firstPaintMs < 0) firstPaintMs = msSince(kProcessStart);
    }
};

// Six macros of 168 commands (336 actions: keys, each followed by a delay) on the six buttons of
// the current profile: with nothing held by the mouse, the largest pass there is (126 macro
// chunks).
void installLargestMacros(AppData& app) {
    app.library.ClearLibrary();
    MacroSet& set = app.library.AddSet(u"Bench");
    const Text prefix = app.language.LanguageText(190);
    for (int m = 0; m < kKeyCount; ++m) {
        const Text name = u"Bench" + Text(1, char16_t(u'1' + m));
        MacroKey& key = set.AddKey(name);
        for (uint32_t a = 0; a < 336; ++a)
            key.InsertAction(a, (a % 2) ? 0x05000003u : (uint32_t(0x41 + m) | ((a % 4) ? 0x8000u : 0u)));
        key.CommandActionNum = 168;
        app.Current().keys[size_t(m)].KeyName = prefix + name;
        app.Current().keys[size_t(m)].KeyValue = {0x90, 0, 0};
    }
}

// Writes the macros and the profile that plays them into the configuration folder.
bool prepareStartupMacros(const std::filesystem::path& config) {
    AppData prep(ConfigFolder{config});
    (void)LoadLanguage(prep, 1.0f);
    LoadSettingsAndProfiles(prep);
    installLargestMacros(prep);
    return WriteLibraryFile(prep.library, config / "MacroLibraryFile.mlf").ok() && SaveAllProfiles(prep).ok();
}

struct PassFigures {
    double wallMs = 0;
    double cpuMs = 0;
    double longestGapMs = 0;  // between two ticks of the 5 ms UI timer
    double longestGapAtMs = 0;  // when it ended, from the start of the pass
    int gapsOver16Ms = 0;
};

// Runs the largest pass from the event loop. With a ticker, a 5 ms repeating UI timer notes when
// it fires; the longest gap between its ticks is the longest the loop could not answer. The CPU
// is counted up to one second after the pass, when the progress dialog has closed.
PassFigures runLargestPass(platform::qt::QtPlatform& platform, TimedWindow& dlg, bool ticker) {
    EventLoop& loop = platform.loop();
    // A deferred save still waiting (six files, each synced to disk on the UI thread) is written
    // first: it is the save's stall, not the pass's.
    dlg.Link().saves().writePending();
    installLargestMacros(dlg.App());
    DeviceLink& link = dlg.Link();
    link.forgetWhatTheMouseHolds();
    link.markDirty(SyncGroup::Buttons);
    link.markDirty(SyncGroup::Performance);
    link.markDirty(SyncGroup::Power);

    const int tickOwner = 0, quitOwner = 0;
    std::vector<Clock::time_point> ticks;
    ticks.reserve(4096);
    PassFigures f;
    bool ended = false;
    const auto t0 = Clock::now();
    const double cpu0 = cpuSeconds();
    ticks.push_back(t0);
    if (ticker) loop.setTimer(&tickOwner, 1, 5, [&ticks] { ticks.push_back(Clock::now()); });
    dlg.onSettingsWritten = [&] {
        if (ended) return;
        ended = true;
        f.wallMs = msSince(t0);
        // Whatever the pass shows afterwards (the progress animation) is left to finish.
        loop.setTimer(&quitOwner, 1, 1000, [&] {
            loop.killTimer(&quitOwner, 1);
            f.cpuMs = (cpuSeconds() - cpu0) * 1000.0;
            platform.quit();
        });
    };
    link.armSync();
    platform.exec();
    loop.killTimer(&tickOwner, 1);
    dlg.onSettingsWritten = {};
    // The pass and the second after it: the end-of-pass saves come right after its last frame.
    for (size_t i = 1; i < ticks.size(); ++i) {
        const double gap = std::chrono::duration<double, std::milli>(ticks[i] - ticks[i - 1]).count();
        if (gap > 16.0) ++f.gapsOver16Ms;
        if (gap <= f.longestGapMs) continue;
        f.longestGapMs = gap;
        f.longestGapAtMs = std::chrono::duration<double, std::milli>(ticks[i] - t0).count();
    }
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    int idleSeconds = 0, repaints = 200, sideBySideSeconds = 0;
    const bool stages = argc > 1 && !std::strcmp(argv[argc - 1], "--stages");
    for (int i = 1; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--side-by-side")) sideBySideSeconds = std::atoi(argv[i + 1]);
    bool text = false;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--text")) text = true;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--bare")) return bareWindow(stages, sideBySideSeconds, text);
    std::string simulate;
    bool startupMacros = false, pass = true;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--idle") && hasValue) idleSeconds = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--repaints") && hasValue) repaints = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--simulate") && hasValue) simulate = argv[++i];
        else if (!std::strcmp(argv[i], "--startup-macros")) startupMacros = true;
        else if (!std::strcmp(argv[i], "--no-pass")) pass = false;
    }
    auto simOptions = sim::parseSimOptions(simulate);
    if (!simOptions) {
        std::fprintf(stderr, "--simulate: %s\n", simOptions.error().message().c_str());
        return 2;
    }
    auto folders = ResolveFolders({});
    if (!folders) return 1;
    if (startupMacros && !prepareStartupMacros(folders->config)) {
        std::fprintf(stderr, "cannot write the start-up macros\n");
        return 1;
    }
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    if (stages) stage("start");
    platform::qt::QtPlatform platform(qtArgc, qtArgv, PictureFolderNames(FolderEnvironment::Current()));
    // As the program does: pictures kept from an earlier start are read back.
    if (const auto store = PictureStoreFolder(*folders, FolderEnvironment::Current()))
        platform.images().useStore(std::make_shared<platform::PictureStore>(*store));
    platform.images().prefetch(MainWindowFirstPictures(platform.images(), platform.screen().displayScale));  // as the program does
    if (stages) stage("Qt platform");
    const double platformMs = msSince(kProcessStart);
    sim::SimTransport mouse(simOptions.value(), &platform.loop());
    AppData app(ConfigFolder{folders->config});
    CTevrinDlg::Services services{mouse, nullptr, {}};
    services.watchFolder = &FolderWatch::Start;  // as the program does: no look at the folder on a timer
    TimedWindow dlg(platform, app, std::move(services));
    const double beforeCreate = msSince(kProcessStart);
    if (!dlg.Create()) return 1;
    if (stages) stage("window created");
    const double createMs = msSince(kProcessStart) - beforeCreate;
    while (dlg.firstPaintMs < 0 && msSince(kProcessStart) < 5000) platform.processEvents();
    platform.processEvents();  // and what the paint left queued
    if (stages) {
        stage("first paint");
        residentByMapping();
        std::printf("  pictures decoded: %zu, %.1f MB\n", platform.images().size(),
                    double(platform.images().decodedBytes()) / (1024.0 * 1024.0));
    }
    std::printf("start_to_first_paint: %.1f ms (platform %.1f ms, window set-up %.1f ms)\n", dlg.firstPaintMs,
                platformMs, createMs);
    std::printf("scale: %.1f\n", dlg.Scale());
    std::printf("resident_memory_shown: %.1f MB\n", residentMb());
    if (sideBySideSeconds > 0) {
        sideBySide(sideBySideSeconds, [&dlg] { dlg.GetWindow()->hide(); });
        std::printf("watchdog_asleep: %d\n", dlg.Link().watchdog().asleep() ? 1 : 0);
        dlg.Shutdown();
        return 0;
    }

    std::vector<double> paint;
    for (int i = 0; i < repaints; ++i) {
        const auto t = Clock::now();
        (void)platform.render(dlg.WindowSize(), [&dlg](platform::Painter& p) { dlg.Render(p); });
        paint.push_back(msSince(t));
    }
    std::printf("full_repaint_median: %.2f ms\n", median(paint));

    std::vector<double> refresh;
    for (int i = 0; i < 200; ++i) {
        const auto t = Clock::now();
        dlg.Link().applyDeviceNotification(hid::DeviceRole::Wired,
                                           DeviceNotification{uint8_t(i % 2 ? 2 : 0), i % 4});
        refresh.push_back(msSince(t));
    }
    std::printf("notification_to_refreshed_pages_median: %.3f ms\n", median(refresh));

    // A click on a button row to its assignment menu drawn and shown.
    std::vector<double> menu;
    for (int i = 0; i < 60; ++i) {
        const auto t = Clock::now();
        dlg.SendMessage(mainwnd::kMsgComboRow, mainwnd::kFirstCombo + uint32_t(i % 6), ui::kCodeClicked);
        platform.processEvents();
        menu.push_back(msSince(t));
        dlg.CloseAllPopups();
        platform.processEvents();
    }
    std::printf("assignment_menu_open_median: %.2f ms\n", median(menu));
    if (pass) {
        // Whatever the start-up traffic was, it is over before the pass starts.
        const int owner = 0;
        platform.loop().setTimer(&owner, 1, 1500, [&] {
            platform.loop().killTimer(&owner, 1);
            platform.quit();
        });
        platform.exec();
        // Its deferred save too: six files, each synced to disk, on the UI thread ten seconds
        // after the start-up pass; that is the save's stall, not the pass's.
        const PassFigures stall = runLargestPass(platform, dlg, true);
        std::printf("largest_pass_wall: %.0f ms\n", stall.wallMs);
        std::printf(
            "largest_pass_ui_stall: %.1f ms (longest gap between ticks of a 5 ms UI timer during the pass and "
            "the second after it: %.1f ms, ending %.0f ms into the pass; %d gaps over 16 ms)\n",
            std::max(0.0, stall.longestGapMs - 5.0), stall.longestGapMs, stall.longestGapAtMs,
            stall.gapsOver16Ms);
        const PassFigures cpu = runLargestPass(platform, dlg, false);
        std::printf("largest_pass_cpu: %.2f ms (the pass of %.0f ms and the second after it)\n", cpu.cpuMs,
                    cpu.wallMs);
    }

    if (idleSeconds > 0) {
        dlg.GetWindow()->hide();  // as into the tray (the bench has none)
        const int owner = 0;
        platform.loop().setTimer(&owner, 1, idleSeconds * 1000, [&] { platform.quit(); });
        const double cpu0 = cpuSeconds();
        const auto t0 = Clock::now();
        platform.exec();
        const double wall = msSince(t0) / 1000.0;
        std::printf("idle_cpu_hidden_online: %.3f %% over %.0f s\n", 100.0 * (cpuSeconds() - cpu0) / wall, wall);
    }
    dlg.Shutdown();
    return 0;
}
