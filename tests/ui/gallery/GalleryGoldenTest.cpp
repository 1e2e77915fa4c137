// Every gallery sheet with a golden picture, drawn at scale 1 and 2 as orvane-gallery draws it
// (the Qt painter, offscreen) and compared with the picture kept in golden/. Fonts come from
// tests/support/fonts.conf (FONTCONFIG_FILE, set by CTest). ORVANE_UPDATE_GOLDENS=1 rewrites the
// golden pictures instead; look at them before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "ImageCompare.h"
#include "platform/qt/QtPlatform.h"
#include "support/QtPlatformOnce.h"
#include "ui/UiFont.h"
#include "ui/gallery/GallerySheet.h"

namespace orvane::ui::gallery {
namespace {

namespace fs = std::filesystem;

// Anti-aliased edges and glyphs may move by a shade between library builds; a control drawn in
// the wrong place or colour changes far more pixels than this, even the smallest check box.
constexpr int kChannelTolerance = 40;
constexpr long kMaxDifferingPixels = 60;
constexpr double kMaxMeanError = 0.5;

platform::qt::QtPlatform& host() {
    return orvane::test::QtPlatformOnce();
}

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

std::optional<SheetSpec> findSheet(const std::string& name) {
    for (auto& spec : AllSheets())
        if (spec.name == name) return std::move(spec);
    return std::nullopt;
}

// Draws the sheet at both scales and compares each with its golden picture; the drawn pictures
// are kept under the build's gallery-actual/ to look at when they differ.
void expectSheetMatchesGolden(const std::string& sheetName) {
    const std::optional<SheetSpec> spec = findSheet(sheetName);
    ASSERT_TRUE(spec) << "no gallery sheet " << sheetName;
    const char* updateVar = std::getenv("ORVANE_UPDATE_GOLDENS");
    const bool update = updateVar != nullptr && std::string(updateVar) == "1";
    for (float scale : {1.0f, 2.0f}) {
        const std::string name = sheetName + "@" + std::to_string(int(scale)) + "x";
        const platform::Image actual = drawSheet(*spec, scale);
        ASSERT_FALSE(actual.isNull()) << name;
        const fs::path golden = fs::path(ORVANE_GOLDEN_DIR) / (name + ".png");
        if (update) {
            ASSERT_TRUE(host().savePng(actual, golden.string())) << golden;
            continue;
        }
        const fs::path out = fs::path(ORVANE_GALLERY_ACTUAL) / (name + ".png");
        fs::create_directories(out.parent_path());
        (void)host().savePng(actual, out.string());  // only for a look; the comparison decides
        const platform::Image expected = platform::qt::QtPlatform::decodeFile(golden.string());
        ASSERT_FALSE(expected.isNull()) << golden << " is missing; run with ORVANE_UPDATE_GOLDENS=1";
        const test::Difference d = test::compareImages(actual, expected, kChannelTolerance);
        EXPECT_TRUE(d.sameSize && d.differing <= kMaxDifferingPixels && d.meanError <= kMaxMeanError)
            << name << ": " << d.describe() << "; drawn sheet: " << out;
    }
}

TEST(GalleryGolden, ControlAndMenuSheetsMatchTheirGoldenPictures) {
    ASSERT_TRUE(fs::exists(fs::path(ORVANE_RUNTIME_DIR) / "skins" / "menu_nr.png")) << "the skin is not built";
    for (const char* sheet : {"buttons", "indicators", "menus", "focus"}) {
        SCOPED_TRACE(sheet);
        expectSheetMatchesGolden(sheet);
    }
}

// The painter's own sheet needs no skin pictures: text, lines, fills and images as drawn.
TEST(GalleryGolden, PainterSheetMatchesItsGoldenPicture) {
    expectSheetMatchesGolden("painter");
}

// A sheet without a golden picture is either new or renamed: either way it is not checked.
TEST(GalleryGolden, EverySheetWithAGoldenPictureIsStillDrawn) {
    for (const auto& entry : fs::directory_iterator(ORVANE_GOLDEN_DIR)) {
        const std::string file = entry.path().filename().string();
        const std::string sheet = file.substr(0, file.find('@'));
        EXPECT_TRUE(findSheet(sheet)) << file << " belongs to no sheet";
    }
}

}  // namespace
}  // namespace orvane::ui::gallery
