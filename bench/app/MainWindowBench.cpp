// The main window on the real Qt platform against the virtual mouse: start to first painted
// frame, resident memory with the window shown, full repaints, device notification to refreshed
// pages, and (with --idle SECONDS) the CPU used while hidden with the mouse online.
// Figures are printed one per line as "name: value unit".
#include <malloc.h>
#include <sys/resource.h>

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cctype>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/CTevrinDlg.h"
#include "app/MainIds.h"
#include "device/sim/SimTransport.h"
#include "platform/qt/QtPlatform.h"
#include "profile/AppPaths.h"

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

// A frameless window of the main window's size that fills itself with one colour: what Qt alone
// costs, to compare with.
class BareWindow : public QWidget {
public:
    BareWindow() : QWidget(nullptr, Qt::FramelessWindowHint) { setFixedSize(1127, 740); }
    bool painted = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(0x1a, 0x1d, 0x22));
        painted = true;
    }
};

int bareWindow(bool stages) {
    int argc = 1;
    char name[] = "orvane-bench-app";
    char* argv[] = {name, nullptr};
    if (stages) stage("start");
    QApplication app(argc, argv);
    if (stages) stage("QApplication");
    BareWindow w;
    w.show();
    while (!w.painted && msSince(kProcessStart) < 5000) QApplication::processEvents();
    QApplication::processEvents();
    if (stages) {
        stage("first paint");
        residentByMapping();
    }
    std::printf("start_to_first_paint: %.1f ms\n", msSince(kProcessStart));
    std::printf("resident_memory_shown: %.1f MB\n", residentMb());
    return 0;
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Notes when the first frame reaches the screen.
class TimedWindow : public CTevrinDlg {
public:
    using CTevrinDlg::CTevrinDlg;
    double firstPaintMs = -1;

protected:
    void DrawWindow(platform::Painter& p, const platform::Rect& client) override {
        CTevrinDlg::DrawWindow(p, client);
        if (firstPaintMs < 0) firstPaintMs = msSince(kProcessStart);
    }
};

}  // namespace

int main(int argc, char** argv) {
    int idleSeconds = 0, repaints = 200;
    const bool stages = argc > 1 && !std::strcmp(argv[argc - 1], "--stages");
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--bare")) return bareWindow(stages);
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--idle")) idleSeconds = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--repaints")) repaints = std::atoi(argv[i + 1]);
    }
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    if (stages) stage("start");
    platform::qt::QtPlatform platform(qtArgc, qtArgv);
    if (stages) stage("Qt platform");
    const double platformMs = msSince(kProcessStart);
    sim::SimTransport mouse({}, &platform.loop());
    auto folders = ResolveFolders({});
    if (!folders) return 1;
    AppData app(ConfigFolder{folders->config});
    TimedWindow dlg(platform, app, CTevrinDlg::Services{mouse, nullptr, {}});
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
        dlg.Link().applyDeviceNotification(hid::DeviceRole::Wired, i % 2 ? 2 : 8, uint8_t(1 + i % 4));
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
        dlg.ClosePopups();
        platform.processEvents();
    }
    std::printf("assignment_menu_open_median: %.2f ms\n", median(menu));

    if (idleSeconds > 0) {
        dlg.hideWindow();
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
