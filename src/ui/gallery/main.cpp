// orvane-gallery: renders every sheet of the toolkit at scale 1 and 2 into PNG files, for review
// of the artwork and for the golden-image tests.
//   orvane-gallery [output folder] [sheet name...]
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/qt/QtPlatform.h"
#include "ui/UiFont.h"
#include "ui/gallery/GallerySheet.h"

using namespace orvane;

int main(int argc, char** argv) {
    platform::qt::QtPlatform qt(argc, argv);
    const std::filesystem::path out = argc > 1 ? argv[1] : "gallery";
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "orvane-gallery: cannot create %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }
    auto wanted = [&](const std::string& name) {
        if (argc <= 2) return true;
        for (int i = 2; i < argc; ++i)
            if (name == argv[i]) return true;
        return false;
    };
    int failures = 0, written = 0;
    for (float scale : {1.0f, 2.0f}) {
        // The interface font as the language table sets it for a Latin language.
        ui::SetUiFontChoice(platform::FontChoice{u"Tahoma", int32_t(16 * scale), 1});
        for (const auto& spec : ui::gallery::AllSheets()) {
            if (!wanted(spec.name)) continue;
            ui::gallery::GalleryPlatform platform(qt, scale);
            ui::gallery::GalleryHost host(platform);
            host.SetWindowSize(int32_t(1127 * scale), int32_t(740 * scale));
            if (!host.Create()) {
                std::fprintf(stderr, "orvane-gallery: no host window for %s\n", spec.name.c_str());
                ++failures;
                continue;
            }
            ui::gallery::GallerySheet sheet(platform, host);
            spec.build(sheet);
            if (sheet.empty()) continue;
            const auto file = out / (spec.name + "@" + std::to_string(int(scale)) + "x.png");
            if (auto st = platform.savePng(sheet.compose(), file.string()); !st.ok()) {
                std::fprintf(stderr, "orvane-gallery: %s\n", st.error().message().c_str());
                ++failures;
                continue;
            }
            ++written;
            std::printf("%s\n", file.c_str());
        }
    }
    return failures ? 1 : (written ? 0 : 2);
}
