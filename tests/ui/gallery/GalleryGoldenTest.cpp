// Gallery sheets that need no skin pictures, compared with the pictures kept beside this test.
// Fonts are pinned by a fontconfig file of our own. ORVANE_UPDATE_GOLDEN=1 rewrites them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/qt/QtPlatform.h"
#include "ui/UiFont.h"
#include "ui/gallery/GallerySheet.h"
#include "support/QtPlatformOnce.h"

namespace orvane::ui::gallery {
namespace {

platform::qt::QtPlatform& qtPlatform() {
    return test::QtPlatformOnce();
}

Image renderSheet(const std::string& name, float scale) {
    SetUiFontChoice(platform::FontChoice{u"Tahoma", int32_t(16 * scale), 1});
    GalleryPlatform platform(qtPlatform(), scale);
    GalleryHost host(platform);
    host.SetWindowSize(int32_t(1127 * scale), int32_t(740 * scale));
    if (!host.Create()) return {};
    GallerySheet sheet(platform, host);
    for (const auto& spec : AllSheets())
        if (spec.name == name) spec.build(sheet);
    return sheet.compose();
}

// Share of pixels where some channel differs by more than the tolerance.
double differing(const Image& a, const Image& b, int tolerance) {
    size_t bad = 0;
    for (int32_t y = 0; y < a.height(); ++y)
        for (int32_t x = 0; x < a.width(); ++x) {
            const auto p = platform::Color::fromArgb(a.pixel(x, y)), q = platform::Color::fromArgb(b.pixel(x, y));
            if (std::abs(p.r - q.r) > tolerance || std::abs(p.g - q.g) > tolerance || std::abs(p.b - q.b) > tolerance)
                ++bad;
        }
    return double(bad) / double(size_t(a.width()) * size_t(a.height()));
}

class GalleryGolden : public ::testing::TestWithParam<int> {};

TEST_P(GalleryGolden, PainterSheetMatchesItsPicture) {
    const int scale = GetParam();
    const Image got = renderSheet("painter", float(scale));
    ASSERT_FALSE(got.isNull());
    const std::string file =
        std::string(ORVANE_GOLDEN_DIR) + "/painter@" + std::to_string(scale) + "x.png";
    if (const char* u = std::getenv("ORVANE_UPDATE_GOLDEN"); u && std::string(u) == "1") {
        ASSERT_TRUE(qtPlatform().savePng(got, file).ok());
        GTEST_SKIP() << "rewrote " << file;
    }
    const Image want = platform::qt::QtPlatform::decodeFile(file);
    ASSERT_FALSE(want.isNull()) << file;
    ASSERT_EQ(got.size(), want.size());
    EXPECT_LT(differing(got, want, 24), 0.002);
}

INSTANTIATE_TEST_SUITE_P(Scales, GalleryGolden, ::testing::Values(1, 2));

}  // namespace
}  // namespace orvane::ui::gallery
