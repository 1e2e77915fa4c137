// Painting a window the size of the main window holding 60 controls, at scale 1 and 2.
#include <benchmark/benchmark.h>

#include "platform/FakeWindow.h"
#include "platform/qt/QtPlatform.h"
#include "ui/CDlgBase.h"
#include "ui/gallery/GalleryPlatform.h"
#include "profile/AppPaths.h"

using namespace orvane;
using namespace orvane::ui;

namespace {

platform::qt::QtPlatform& qtPlatform() {
    static int argc = 1;
    static char name[] = "orvane-bench-gui";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may already be gone at exit.
    static auto* p = new platform::qt::QtPlatform(argc, argv, PictureFolderNames(FolderEnvironment::Current()));
    return *p;
}

Image gradient(int32_t w, int32_t h, uint32_t seed) {
    std::vector<uint32_t> px(size_t(w) * size_t(h));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            px[size_t(y * w + x)] = 0xFF000000u | ((uint32_t(x * 255 / w) + seed) & 0xFF) << 16 |
                                    (uint32_t(y * 255 / h) << 8) | (seed * 37 & 0xFF);
    return Image(w, h, std::move(px));
}

// What a typical skinned control draws: its picture stretched over it and a caption.
class BenchControl : public CControlBase {
public:
    BenchControl(CDlgBase* owner, uint32_t id, const Rect& r, Image img)
        : CControlBase(owner, id, r, u"Control " + fromUtf8(std::to_string(id))), img_(std::move(img)) {}
    void Draw(Painter& p, const Rect&) override {
        p.drawImage(img_, rect_, Interpolation::Smooth);
        p.drawText(text_, rect_.adjusted(4, 0, -4, 0), font_, bgr(0xB4B4B4),
                   platform::kTextSingleLine | platform::kTextVCenter | platform::kTextWordEllipsis |
                       platform::kTextCenter);
    }

private:
    Image img_;
};

class BenchWindow : public CDlgBase {
public:
    explicit BenchWindow(platform::Platform& p) : CDlgBase(p) {}
    void DrawWindow(Painter& p, const Rect& client) override {
        p.drawImage(background_, client, Interpolation::Smooth);
        DrawControls(p, client);
    }
    void CreateControls(const Rect&) override {
        const float s = Scale();
        background_ = gradient(1127, 740, 3);
        for (int i = 0; i < 60; ++i) {
            const int col = i % 6, row = i / 6;
            const Rect r = Rect::fromSize(int32_t((40 + col * 180) * s), int32_t((60 + row * 64) * s), int32_t(161 * s),
                                          int32_t(40 * s));
            Add<BenchControl>(i % 8, uint32_t(3000 + i), r, gradient(80 + i % 5, 28, uint32_t(i)));
        }
    }

private:
    Image background_;
};

void paintMainWindow(benchmark::State& state) {
    const float scale = float(state.range(0));
    ui::gallery::GalleryPlatform platform(qtPlatform(), scale);
    BenchWindow w(platform);
    w.SetWindowSize(int32_t(1127 * scale), int32_t(740 * scale));
    if (!w.Create()) {
        state.SkipWithError("no window");
        return;
    }
    const Size size = w.WindowSize();
    for (auto _ : state) {
        Image img = platform.render(size, [&](Painter& p) { w.DrawWindow(p, w.ClientRect()); });
        benchmark::DoNotOptimize(img.bits());
    }
    state.SetLabel("1127x740 x" + std::to_string(int(scale)) + ", 60 controls");
}
BENCHMARK(paintMainWindow)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
