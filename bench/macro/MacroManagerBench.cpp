// The macro manager on the Qt platform (offscreen) with the real skin: opening it on a large
// library (read, controls, first layout), repainting it with a full macro shown, and the cost of
// one recorded key event from the hook's message to the macro.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "macro/CMacroManagerDlg.h"
#include "macro/MacroActions.h"
#include "macro/MacroRecorder.h"
#include "platform/qt/QtPlatform.h"
#include "profile/AppData.h"
#include "profile/MacroLibraryFile.h"
#include "ui/UiFont.h"
#include "profile/AppPaths.h"

namespace {

using namespace orvane;

platform::qt::QtPlatform& hostPlatform() {
    static int argc = 1;
    static char name[] = "orvane-bench-macro";
    static char* argv[] = {name, nullptr};
    static platform::qt::QtPlatform* p = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("ORVANE_APP_DIR", ORVANE_RUNTIME_DIR, 0);
        return new platform::qt::QtPlatform(argc, argv, PictureFolderNames(FolderEnvironment::Current()));
    }();
    return *p;
}

// A config folder whose library holds `macros` macros of 336 actions each.
std::filesystem::path ConfigWithLibrary(int macros) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orvane-bench-macro-" + std::to_string(::getpid()) + "-" + std::to_string(macros));
    const auto path = folder / "MacroLibraryFile.mlf";
    if (std::filesystem::exists(path)) return folder;
    std::filesystem::create_directories(folder);
    MacroLibrary lib;
    MacroSet& set = lib.AddSet(u"Bench");
    for (int k = 0; k < macros; ++k) {
        MacroKey& m = set.AddKey(fromUtf8("macro " + std::to_string(k)));
        for (uint32_t i = 0; i < MacroKey::kSlotCount; ++i)
            m.InsertAction(i, macro::actionValue(i % 2 ? macro::delayAction(i) : macro::keyAction('A', i % 4 == 2)));
        m.CommandActionNum = 168;
    }
    (void)WriteLibraryFile(lib, path);
    return folder;
}

// The manager with its painting reachable: the window paints through DrawWindow.
class Manager : public macro::CMacroManagerDlg {
public:
    using CMacroManagerDlg::CMacroManagerDlg;
    void PaintInto(platform::Platform& p) {
        (void)p.render(WindowSize(), [this](platform::Painter& painter) { DrawWindow(painter, ClientRect()); });
    }
};

void OpenManager(benchmark::State& state) {
    auto& platform = hostPlatform();
    ui::SetUiFontChoice({u"Tahoma", 16, 1});
    AppData app{ConfigFolder{ConfigWithLibrary(int(state.range(0)))}};
    for (auto _ : state) {
        Manager dlg(platform, nullptr, app, 1);
        dlg.Create();
        dlg.PaintInto(platform);  // the first paint
        dlg.DestroyWindow();
        state.PauseTiming();
        platform.processEvents();
        state.ResumeTiming();
    }
    state.counters["macros"] = double(state.range(0));
}
BENCHMARK(OpenManager)->Arg(4)->Arg(1000)->Unit(benchmark::kMillisecond);

void RepaintManager(benchmark::State& state) {
    auto& platform = hostPlatform();
    ui::SetUiFontChoice({u"Tahoma", 16, 1});
    AppData app{ConfigFolder{ConfigWithLibrary(4)}};
    Manager dlg(platform, nullptr, app, 1);
    dlg.Create();
    for (auto _ : state) dlg.PaintInto(platform);
    dlg.DestroyWindow();
    platform.processEvents();
}
BENCHMARK(RepaintManager)->Unit(benchmark::kMillisecond);

void RecordKey(benchmark::State& state) {
    MacroKey key;
    macro::MacroRecorder rec;
    uint32_t t = 0;
    for (auto _ : state) {
        if (key.CommandActionNum >= 160) rec.Start(key);
        rec.OnKey(macro::RecordedKey::make('A' + (t & 7), (t & 1) != 0, t * 10), true);
        ++t;
    }
}
BENCHMARK(RecordKey);

}  // namespace
