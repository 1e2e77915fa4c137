// One full repaint of a main-window-sized dialog with 60 controls, painted the way the window
// paints into its backing store: Qt painter, shared resampled-image and font caches.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>

#include "MainWindowLayout.h"
#include "ui/gallery/GalleryPlatform.h"
#include "platform/qt/QtPainter.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtResources.h"
#include "ui/UiFont.h"
#include "profile/AppPaths.h"

namespace {

using namespace orvane;

platform::qt::QtPlatform& hostPlatform() {
    static int argc = 1;
    static char name[] = "orvane-bench-gui";
    static char* argv[] = {name, nullptr};
    static platform::qt::QtPlatform* p = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("ORVANE_APP_DIR", ORVANE_RUNTIME_DIR, 0);
        return new platform::qt::QtPlatform(argc, argv, PictureFolderNames(FolderEnvironment::Current()));
    }();
    return *p;
}

// cold: every paint starts with empty font and resampled-image caches, as the first paint of a
// window does.
void PaintSkinnedMainWindow(benchmark::State& state, float scale, bool cold) {
    ui::gallery::GalleryPlatform platform(hostPlatform(), scale);
    ui::SetUiFontChoice({u"Tahoma", int32_t(16.0f * scale), 1});
    bench::MainWindowLayout window(platform);
    window.CreateControls({});
    const platform::Size size = window.WindowSize();
    const platform::Rect client{0, 0, size.width, size.height};
    QImage target(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
    auto resources = std::make_unique<platform::qt::QtResources>();
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            resources = std::make_unique<platform::qt::QtResources>();
            state.ResumeTiming();
        }
        QPainter qp(&target);
        platform::qt::QtPainter painter(qp, size, *resources);
        painter.setClip(client);
        window.DrawWindow(painter, client);
    }
    state.counters["controls"] = double(window.ControlCount());
}

BENCHMARK_CAPTURE(PaintSkinnedMainWindow, scale1, 1.0f, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintSkinnedMainWindow, scale2, 2.0f, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintSkinnedMainWindow, scale1_first_paint, 1.0f, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintSkinnedMainWindow, scale2_first_paint, 2.0f, true)->Unit(benchmark::kMillisecond);

}  // namespace


