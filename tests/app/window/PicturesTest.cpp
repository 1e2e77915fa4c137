// An application folder holding only config/ and skins/ (what the README calls enough) gives
// every window all of its pictures, at both display scales; pictures are decoded from the built
// skin as the program does.
#include <gmock/gmock.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "MainWindowFixture.h"
#include "app/CTevrinDlg.h"
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

// The pictures decoded ahead of the main window's first paint are ones it draws: each is decoded
// once, on the thread that decodes ahead, and the window does not decode it again.
class FirstPicturesTest : public MainWindowTest, public ::testing::WithParamInterface<float> {
protected:
    struct Decodes {
        std::mutex m;
        std::condition_variable changed;
        std::multimap<std::string, std::thread::id> byFile;
        size_t count(const std::string& file) {
            std::lock_guard lock(m);
            return byFile.count(file);
        }
    };
};

TEST_P(FirstPicturesTest, AreOnesTheFirstPaintDrawsAndAreDecodedOnce) {
    auto decodes = std::make_shared<Decodes>();
    WindowSetup setup = WindowSetup::Sim("");
    setup.needPassword = 0;
    setup.scale = GetParam();
    setup.create = false;
    setup.pictures = [decodes](const std::string& file) {
        platform::Image image = platform::qt::QtPlatform::decodeFile(file);
        {
            std::lock_guard lock(decodes->m);
            decodes->byFile.emplace(file, std::this_thread::get_id());
        }
        decodes->changed.notify_all();
        return image;
    };
    Start(setup);
    platform::ImageCache& images = platform_->images();
    const std::vector<std::string> first = MainWindowFirstPictures(images, GetParam());
    ASSERT_FALSE(first.empty());
    images.prefetch(first);
    {
        // These test pictures are decoded as soon as the controls load them: let the thread
        // finish first, so that the window finds them all ready.
        std::unique_lock lock(decodes->m);
        decodes->changed.wait(lock, [&] { return decodes->byFile.size() >= first.size(); });
    }
    ASSERT_TRUE(dlg_->Create());
    const auto drawn = window().paint().opsOf(platform::PaintOp::Kind::Image);
    for (const std::string& path : first) {
        const platform::Image held = images.load(path);  // held since the window loaded it
        EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [&](const auto& op) { return op.image == held; }))
            << path << " is not drawn by the first paint";
        const std::string file = images.resolve(path);
        EXPECT_EQ(decodes->count(file), 1u) << file;
        std::lock_guard lock(decodes->m);
        const auto it = decodes->byFile.find(file);
        ASSERT_NE(it, decodes->byFile.end()) << file;
        EXPECT_NE(it->second, std::this_thread::get_id()) << file;
    }
    EXPECT_THAT(platform_->missingPictures(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Scales, FirstPicturesTest, ::testing::Values(1.0f, 2.0f),
                         [](const auto& info) { return info.param > 1.0f ? "Scale2" : "Scale1"; });

INSTANTIATE_TEST_SUITE_P(Scales, PicturesTest, ::testing::Values(1.0f, 2.0f),
                         [](const auto& info) { return info.param > 1.0f ? "Scale2" : "Scale1"; });

}  // namespace
}  // namespace orvane::test
