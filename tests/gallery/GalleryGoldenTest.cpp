#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ImageCompare.h"
#include "platform/qt/QtPlatform.h"
#include "ui/UiFont.h"
#include "ui/gallery/GallerySheet.h"
#include "support/QtPlatformOnce.h"

namespace orvane::ui::gallery {
namespace {

namespace fs = std::filesystem;

// Anti-aliased edges and glyphs may move by a shade between library builds; a control drawn in
// the wrong place or colour changes far more pixels than this, even the smallest check box.
constexpr int kChannelTolerance = 40;
constexpr long kMaxDifferingPixels = 60;
constexpr double kMaxMeanError = 0.5;

// Fonts come from the pinned configuration (FONTCONFIG_FILE, set by CTest).
platform::qt::QtPlatform& host() {
    return orvane::test::QtPlatformOnce();
}

// Draws one sheet as orvane-gallery does.
platform::Image drawSheet(const SheetSpec& spec, float scale) {
    SetUiFontChoice(platform::FontChoice{u"Tahoma", int32_t(16 * scale), 1});
    GalleryPlatform platform(host(), scale);
    GalleryHost dlg(platform);
    dlg.SetWindowSize(int32_t(1127 * scale), int32_t(740 * scale));
    if (!dlg.Create()) return {};
    GallerySheet sheet(platform, dlg);
    spec.build(sheet);
    return sheet.compose();
}

TEST(ToolkitGolden, ControlAndMenuSheetsAtBothScalesMatchTheirGoldenImages) {
    host();
    ASSERT_TRUE(fs::exists(fs::path(ORVANE_RUNTIME_DIR) / "skins" / "menu_nr.png")) << "the skin is not built";
    const bool update = std::getenv("ORVANE_UPDATE_GOLDENS") != nullptr;
    for (const auto& spec : AllSheets()) {
        // The painter's own sheets have their goldens beside the toolkit's dialog tests.
        if (spec.name != "buttons" && spec.name != "indicators" && spec.name != "menus" && spec.name != "focus")
            continue;
        for (float scale : {1.0f, 2.0f}) {
            const std::string name = spec.name + "@" + std::to_string(int(scale)) + "x";
            const platform::Image actual = drawSheet(spec, scale);
            ASSERT_FALSE(actual.isNull()) << name;
            const fs::path golden = fs::path(ORVANE_GOLDEN_DIR) / (name + ".png");
            if (update) {
                fs::create_directories(golden.parent_path());
                ASSERT_TRUE(host().savePng(actual, golden.string()));
                continue;
            }
            const fs::path out = fs::path(ORVANE_GALLERY_ACTUAL) / (name + ".png");
            fs::create_directories(out.parent_path());
            (void)host().savePng(actual, out.string());
            const platform::Image expected = platform::qt::QtPlatform::decodeFile(golden.string());
            ASSERT_FALSE(expected.isNull()) << golden << " is missing; run with ORVANE_UPDATE_GOLDENS=1";
            const test::Difference d = test::compareImages(actual, expected, kChannelTolerance);
            EXPECT_TRUE(d.sameSize && d.differing <= kMaxDifferingPixels && d.meanError <= kMaxMeanError)
                << name << ": " << d.describe() << "; drawn sheet: " << out;
        }
    }
}

}  // namespace
}  // namespace orvane::ui::gallery
