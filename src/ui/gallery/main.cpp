// orvane-gallery: renders every sheet of the toolkit at scale 1 and 2 into PNG files, for review
// of the artwork and for the golden-image tests.
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/qt/QtPlatform.h"
#include "ui/UiFont.h"
#include "ui/gallery/GallerySheet.h"
#include "profile/AppPaths.h"

using namespace orvane;

namespace {

void printUsage(std::FILE* to) {
    std::fputs(
        "Usage: orvane-gallery [FOLDER [SHEET...]]\n"
        "Renders the toolkit's sheets (every control and menu in each look) at display scale 1\n"
        "and 2 into FOLDER/SHEET@1x.png and FOLDER/SHEET@2x.png, and prints each file written.\n"
        "FOLDER defaults to ./gallery; without SHEET names every sheet is drawn.\n"
        "Pictures come from the skins/ folder of the application folder ($ORVANE_APP_DIR, else\n"
        "the program's folder). Drawing needs no display: it is done offscreen unless\n"
        "QT_QPA_PLATFORM names another platform.\n"
        "\n"
        "Sheets:",
        to);
    for (const auto& spec : ui::gallery::AllSheets()) std::fprintf(to, " %s", spec.name.c_str());
    std::fputs("\n\n  -h, --help   show this help and exit\n", to);
}

bool knownSheet(const std::string& name) {
    for (const auto& spec : ui::gallery::AllSheets())
        if (spec.name == name) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const auto& a : args) {
        if (a == "-h" || a == "--help") {
            printUsage(stdout);
            return 0;
        }
        if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "orvane-gallery: unknown option '%s'\n\n", a.c_str());
            printUsage(stderr);
            return 2;
        }
    }
    for (size_t i = 1; i < args.size(); ++i)
        if (!knownSheet(args[i])) {
            std::fprintf(stderr, "orvane-gallery: no sheet named '%s'\n\n", args[i].c_str());
            printUsage(stderr);
            return 2;
        }
    // The sheets are pictures, never shown: draw them offscreen, so that the same pixels come out
    // with or without a display.
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // Our arguments are not Qt's: hand Qt only the program name.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    platform::qt::QtPlatform qt(qtArgc, qtArgv, PictureFolderNames(FolderEnvironment::Current()));
    const std::filesystem::path out = args.empty() ? "gallery" : args[0];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "orvane-gallery: cannot create %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }
    auto wanted = [&](const std::string& name) {
        return args.size() <= 1 || std::find(args.begin() + 1, args.end(), name) != args.end();
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
