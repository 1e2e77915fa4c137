// An application folder holding only config/ and skins/ (what the README calls enough) gives
// every window all of its pictures, at both display scales; pictures are decoded from the built
// skin as the program does.
#include <gmock/gmock.h>

#include "MainWindowFixture.h"
#include "dialogs/CColorPaletteDlg.h"
#include "dialogs/CFirmwareResetDlg.h"
#include "dialogs/CProgressBarDlg.h"
#include "platform/qt/QtPlatform.h"
#include "ui/CComboActionInsertPopup.h"

namespace orvane::test {
namespace {

using ::testing::IsEmpty;

class PicturesTest : public MainWindowTest, public ::testing::WithParamInterface<float> {
protected:
    void SetUp() override {
        WindowSetup setup = WindowSetup::Sim("");
        setup.needPassword = 0;
        setup.scale = GetParam();
        setup.pictures = &platform::qt::QtPlatform::decodeFile;
        Start(setup);
    }
    platform::FakePlatform& platform() { return *platform_; }
    int32_t scaled(int32_t v) const { return int32_t(float(v) * GetParam()); }
};

TEST_P(PicturesTest, TheMainWindowDrawsItsBackgroundAtTheDisplayScale) {
    const auto& paint = window().paint();
    // The background is the first picture drawn, and at scale 2 it is the sharp drawing rather
    // than the design-size one stretched.
    const auto images = paint.opsOf(platform::PaintOp::Kind::Image);
    ASSERT_FALSE(images.empty());
    EXPECT_EQ(images.front().image.size(), (platform::Size{scaled(1127), scaled(740)}));
    EXPECT_EQ(images.front().rect, (platform::Rect{0, 0, scaled(1127), scaled(740)}));
    EXPECT_THAT(platform().missingPictures(), IsEmpty());
}

TEST_P(PicturesTest, ThePaletteIsThereAndPicksTheSwatchUnderThePointer) {
    bool painted = false;
    platform().onModal = [&](platform::FakeWindow& w) {
        painted = !w.paint().opsOf(platform::PaintOp::Kind::Image).empty();
        w.click(scaled(244 + 30 * 4 + 10), scaled(26 + 29 + 10));  // row 1, column 4: cyan
        w.click(scaled(425), scaled(244));                         // OK
    };
    click(mainwnd::kDpiColour);
    EXPECT_TRUE(painted);
    EXPECT_EQ(current().DPILevelIndication[0], 0x00FFFF00u);
    EXPECT_THAT(platform().missingPictures(), IsEmpty());
}

TEST_P(PicturesTest, DialogsAndMenusFindTheirPictures) {
    platform().onModal = [](platform::FakeWindow& w) {
        w.paint();
        w.endModal(ui::kIdCancel);
    };
    click(mainwnd::kDpiGauge);  // the DPI value dialog
    const LanguageTable& language = app_->language;
    dialogs::CAttentionDlg attention(platform(), &dlg(), language, u"Notice");
    dialogs::CFirmwareResetDlg reset(platform(), &dlg(), language);
    dialogs::CProgressBarDlg progress(platform(), &dlg(), u"Working");
    for (ui::CDlgBase* d : std::initializer_list<ui::CDlgBase*>{&attention, &reset, &progress}) {
        ASSERT_TRUE(d->Create());
        static_cast<platform::FakeWindow*>(d->GetWindow())->paint();
    }
    ui::CComboActionInsertPopup insert(language);
    ASSERT_TRUE(insert.Create(&dlg(), 100, 100, scaled(117), scaled(22), 9999, 0));
    EXPECT_THAT(platform().missingPictures(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Scales, PicturesTest, ::testing::Values(1.0f, 2.0f),
                         [](const auto& info) { return info.param > 1.0f ? "Scale2" : "Scale1"; });

}  // namespace
}  // namespace orvane::test
