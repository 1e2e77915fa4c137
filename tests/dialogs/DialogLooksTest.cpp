// The dialogs drawn for real (Qt painter offscreen, the built skin, the shipped English texts,
// fonts pinned by fonts.conf) at scale 1 and 2: messages stay clear of the buttons. The pictures
// are written to build/dialogs-actual for review.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/SupportKeySequence.h"
#include "dialogs/CAttentionDlg.h"
#include "dialogs/CFirmwareResetDlg.h"
#include "dialogs/PopupWindowTable.h"
#include "platform/FakePlatform.h"
#include "platform/qt/QtPlatform.h"
#include "profile/AppData.h"
#include "profile/LanguageFile.h"
#include "ui/CStaticText.h"
#include "ui/UiFont.h"
#include "support/QtPlatformOnce.h"

namespace orvane::dialogs {
namespace {

namespace fs = std::filesystem;
using platform::Image;

platform::qt::QtPlatform& qt() {
    return test::QtPlatformOnce();
}

fs::path runtimeDir() {
    const char* dir = std::getenv("ORVANE_RUNTIME_DIR");
    return dir ? fs::path(dir) : fs::path();
}

class DialogLooks : public ::testing::TestWithParam<float> {
protected:
    void SetUp() override {
        qt();
        ASSERT_TRUE(fs::exists(runtimeDir() / "skins" / "Frame_warning.bmp")) << "the skin is not built";
        app_ = std::make_unique<AppData>(runtimeDir());
        ASSERT_TRUE(LoadLanguage(*app_, scale()).ok());
        ui::SetUiFontChoice(platform::FontChoice{app_->font.face, app_->font.height, app_->font.charset});
        platform::ScreenInfo screen;
        screen.displayScale = scale();
        platform_ = std::make_unique<platform::FakePlatform>(screen, runtimeDir().string(),
                                                             &platform::qt::QtPlatform::decodeFile);
        PopupWindowTable::instance().clear();
    }
    void TearDown() override { EXPECT_TRUE(platform_->missingPictures().empty()); }

    float scale() const { return GetParam(); }
    Rect scaled(int32_t l, int32_t t, int32_t r, int32_t b) const { return scaledRect(l, t, r, b, scale()); }

    // Draws the dialog as its window would, and keeps the picture for review.
    Image draw(ui::CDlgBase& dlg, const std::string& name) {
        if (!dlg.GetWindow()) {
            EXPECT_TRUE(dlg.Create());
        }
        const Image img = qt().render(dlg.WindowSize(), [&](Painter& p) {
            static_cast<platform::WindowHost&>(dlg).onPaint(p, Rect::fromSize(0, 0, dlg.WindowSize().width,
                                                                                 dlg.WindowSize().height));
        });
        const fs::path out = runtimeDir().parent_path() / "dialogs-actual" /
                             (name + "@" + std::to_string(int(scale())) + "x.png");
        fs::create_directories(out.parent_path());
        (void)qt().savePng(img, out.string());
        return img;
    }

    // Where the two pictures differ: what the message alone drew.
    static Rect inkOf(const Image& with, const Image& without) {
        Rect ink{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < with.height(); ++y)
            for (int32_t x = 0; x < with.width(); ++x)
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    ink.left = std::min(ink.left, x);
                    ink.top = std::min(ink.top, y);
                    ink.right = std::max(ink.right, x + 1);
                    ink.bottom = std::max(ink.bottom, y + 1);
                }
        return ink;
    }

    std::unique_ptr<AppData> app_;
    std::unique_ptr<platform::FakePlatform> platform_;
};

TEST_P(DialogLooks, AttentionMessagesOfOneToSeveralLinesStayClearOfTheButtons) {
    CAttentionDlg blank(*platform_, nullptr, app_->language, Text{});
    const Image without = draw(blank, "attention-blank");
    const struct {
        const char* name;
        Text message;
    } cases[] = {
        {"attention-one-line", u"No mouse found."},
        {"attention-support", SupportNotice()},
        {"attention-long",
         u"The profile file could not be written, so the change stays only in memory: check that the "
         u"folder is writable and that the disk has room, then change the setting again."},
    };
    const Rect ok = scaled(240, 70, 309, 90), close = scaled(300, 4, 315, 19);
    for (const auto& c : cases) {
        CAttentionDlg dlg(*platform_, nullptr, app_->language, c.message);
        const Rect ink = inkOf(draw(dlg, c.name), without);
        ASSERT_FALSE(ink.isEmpty()) << c.name;
        // Clear of both buttons, with a pixel to spare, and inside the frame.
        const int32_t spare = int32_t(scale());
        EXPECT_FALSE(ink.intersects(ok.adjusted(-spare, -spare, spare, spare))) << c.name;
        EXPECT_FALSE(ink.intersects(close.adjusted(-spare, -spare, spare, spare))) << c.name;
        EXPECT_GE(ink.left, scaled(4, 0, 0, 0).left) << c.name;
        EXPECT_LE(ink.right, scaled(0, 0, 315, 0).right) << c.name;
    }
    // A one-line message sits on its band between the title bar and OK, (0,40)-(319,60).
    CAttentionDlg one(*platform_, nullptr, app_->language, cases[0].message);
    const Rect ink = inkOf(draw(one, "attention-one-line"), without);
    EXPECT_GE(ink.top, scaled(0, 40, 0, 0).top);
    EXPECT_LE(ink.bottom, scaled(0, 0, 0, 60).bottom);
}

TEST_P(DialogLooks, TheResetQuestionFitsAboveItsButtons) {
    CFirmwareResetDlg dlg(*platform_, nullptr, app_->language);
    const Image with = draw(dlg, "firmware-reset");
    dlg.FindControlAs<ui::CStaticText>(CFirmwareResetDlg::kIdQuestion)->SetLabel({});
    const Rect ink = inkOf(with, draw(dlg, "firmware-reset-blank"));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.bottom, scaled(0, 0, 0, 110).bottom);
}

INSTANTIATE_TEST_SUITE_P(Scales, DialogLooks, ::testing::Values(1.0f, 2.0f),
                         [](const auto& info) { return info.param > 1.0f ? "Scale2" : "Scale1"; });

}  // namespace
}  // namespace orvane::dialogs
