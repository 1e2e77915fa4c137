// Pictures read from files: decoded only when used, let go once the painter holds what it
// draws, read again when needed, and decoded the same way whichever path the decoder takes.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "platform/ImageCache.h"
#include "platform/qt/QtPlatform.h"
#include "support/QtPlatformOnce.h"
#include "support/TempFolder.h"

namespace orvane::platform {
namespace {

namespace fs = std::filesystem;

const uint32_t kBlue = Color{0x35, 0xA0, 0xDE, 0xFF}.toArgb();

// Files of one colour each, decoded by a counting decoder.
class DeferredPictures : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = folder_.path();
        write("a.png", 4, 3);
        write("b.png", 8, 2);
    }
    void write(const std::string& name, int w, int h) {
        QImage q(w, h, QImage::Format_ARGB32);
        q.fill(QColor(0x35, 0xA0, 0xDE));
        ASSERT_TRUE(q.save(QString::fromStdString((dir_ / name).string())));
    }
    ImageCache cache() {
        ImageCache c(dir_.string(), [this](const std::string& path) {
            ++decodes_;
            return qt::QtPlatform::decodeFile(path);
        }, &qt::QtPlatform::readImageSize);
        c.setMissingReporter([this](const std::string& file, bool) { reported_.push_back(file); });
        return c;
    }

    test::TempFolder folder_{"orvane-deferred"};  // each test's own: tests run side by side
    fs::path dir_;
    int decodes_ = 0;
    std::vector<std::string> reported_;
};

TEST_F(DeferredPictures, AreDecodedOnFirstUseAndAgainAfterBeingLetGo) {
    ImageCache images = cache();
    const Image a = images.load(std::string("a.png"));
    const Image b = images.load(std::string("b.png"));
    EXPECT_EQ(a.size(), (Size{4, 3}));
    EXPECT_EQ(decodes_, 0);  // a look never shown is never decoded
    EXPECT_EQ(a.pixel(3, 2), kBlue);
    EXPECT_EQ(decodes_, 1);
    EXPECT_EQ(images.decodedBytes(), size_t(4 * 3 * 4));
    a.releasePixels();
    EXPECT_FALSE(a.pixelsLoaded());
    EXPECT_EQ(images.decodedBytes(), 0u);
    EXPECT_EQ(a.bits()[0], kBlue);
    EXPECT_EQ(decodes_, 2);
    EXPECT_FALSE(b.pixelsLoaded());
    EXPECT_TRUE(reported_.empty());
}

TEST_F(DeferredPictures, AFileThatGoesAwayLeavesATransparentPictureOfItsSizeAndIsReportedOnce) {
    ImageCache images = cache();
    const Image a = images.load(std::string("a.png"));
    fs::remove(dir_ / "a.png");
    EXPECT_EQ(a.pixel(0, 0), 0u);
    EXPECT_EQ(a.size(), (Size{4, 3}));
    a.releasePixels();
    EXPECT_EQ(a.pixel(3, 2), 0u);
    // A file replaced by one of another size is no longer the picture that was laid out.
    const Image b = images.load(std::string("b.png"));
    write("b.png", 5, 5);
    EXPECT_EQ(b.size(), (Size{8, 2}));
    EXPECT_EQ(b.pixel(7, 1), 0u);
    EXPECT_EQ(reported_, (std::vector<std::string>{images.resolve("a.png"), images.resolve("b.png")}));
}

// A user's folder with some pictures changes those and keeps the rest; a picture found nowhere is
// reported where the shipped copy should be.
TEST_F(DeferredPictures, AreTakenFromTheFirstFolderThatHoldsThem) {
    const fs::path mine = dir_ / "mine";
    fs::create_directories(mine);
    {
        QImage q(6, 6, QImage::Format_ARGB32);
        q.fill(Qt::red);
        ASSERT_TRUE(q.save(QString::fromStdString((mine / "a.png").string())));
    }
    ImageCache images({mine.string(), dir_.string()}, &qt::QtPlatform::decodeFile);
    images.setMissingReporter([this](const std::string& file, bool) { reported_.push_back(file); });
    EXPECT_EQ(images.load(std::string("a.png")).size(), (Size{6, 6}));
    EXPECT_EQ(images.load(std::string("b.png")).size(), (Size{8, 2}));
    EXPECT_TRUE(images.load(std::string("c.png")).isNull());
    EXPECT_EQ(reported_, (std::vector<std::string>{dir_.string() + "/c.png"}));
}

qt::QtPlatform& qtPlatform() {
    return test::QtPlatformOnce();
}

TEST_F(DeferredPictures, APictureDrawnSmallerLetsGoOfItsPixelsOneDrawnLargerKeepsThem) {
    ImageCache images = cache();
    const Image a = images.load(std::string("a.png")), b = images.load(std::string("b.png"));
    const Image drawn = qtPlatform().render({16, 16}, [&](Painter& p) {
        p.drawImage(a, {0, 0, 2, 2});    // reduced: the painter keeps the reduced copy
        p.drawImage(b, {0, 4, 16, 8});   // enlarged: interpolated from the picture each time
    });
    EXPECT_FALSE(a.pixelsLoaded());
    EXPECT_TRUE(b.pixelsLoaded());
    EXPECT_EQ(drawn.pixel(1, 1), kBlue);
    EXPECT_EQ(drawn.pixel(8, 6), kBlue);
    // Drawn again at the same size, the reduced copy serves: nothing is decoded.
    const int before = decodes_;
    (void)qtPlatform().render({16, 16}, [&](Painter& p) { p.drawImage(a, {0, 0, 2, 2}); });
    EXPECT_EQ(decodes_, before);
}

// A background-sized picture drawn at its own size is kept as runs of equal pixels; what is
// drawn from them, whole or any part starting and ending inside runs, is the picture itself.
TEST_F(DeferredPictures, ALargeOpaquePictureDrawnAtItsSizeIsKeptAsRunsAndDrawnExactly) {
    QImage q(700, 450, QImage::Format_ARGB32);
    for (int y = 0; y < q.height(); ++y)
        for (int x = 0; x < q.width(); ++x) q.setPixel(x, y, qRgb(x / 9 % 256, y % 241, (x / 9 * 7 + y * 13) % 256));
    ASSERT_TRUE(q.save(QString::fromStdString((dir_ / "big.png").string())));
    QImage holed = q;
    holed.setPixel(5, 5, qRgba(0, 0, 0, 0));
    ASSERT_TRUE(holed.save(QString::fromStdString((dir_ / "holed.png").string())));
    QImage noisy = q;
    for (int y = 0; y < q.height(); ++y)
        for (int x = 0; x < q.width(); ++x) noisy.setPixel(x, y, qRgb(x % 256, y % 256, (x ^ y) % 256));
    ASSERT_TRUE(noisy.save(QString::fromStdString((dir_ / "noisy.png").string())));
    ImageCache images = cache();
    const Image big = images.load(std::string("big.png")), withHole = images.load(std::string("holed.png")),
                noise = images.load(std::string("noisy.png"));
    const auto expect = [&](const Image& drawn, int dx, int dy, const QRect& part, const char* what) {
        int wrong = 0;
        for (int y = part.top(); y <= part.bottom(); ++y)
            for (int x = part.left(); x <= part.right(); ++x)
                wrong += drawn.pixel(dx + x - part.left(), dy + y - part.top()) != q.pixel(x, y);
        EXPECT_EQ(wrong, 0) << what;
    };

    const Image whole = qtPlatform().render({700, 450}, [&](Painter& p) { p.drawImage(big, {0, 0, 700, 450}); });
    expect(whole, 0, 0, q.rect(), "whole");
    EXPECT_FALSE(big.pixelsLoaded());
    const int decoded = decodes_;
    // A part whose edges cut runs, drawn at an offset into a smaller target.
    const Image part = qtPlatform().render({300, 120}, [&](Painter& p) {
        p.drawImage(big, {10, 7, 10 + 250, 7 + 80}, {334, 20, 334 + 250, 20 + 80});
    });
    expect(part, 10, 7, QRect(334, 20, 250, 80), "part");
    EXPECT_EQ(decodes_, decoded);  // served from the runs, not the file
    EXPECT_FALSE(big.pixelsLoaded());

    // Not every pixel opaque: drawn from the picture's own pixels, which it keeps.
    const Image other = qtPlatform().render({700, 450}, [&](Painter& p) { p.drawImage(withHole, {0, 0, 700, 450}); });
    EXPECT_TRUE(withHole.pixelsLoaded());
    EXPECT_EQ(other.pixel(6, 5), q.pixel(6, 5));
    EXPECT_EQ(other.pixel(5, 5), 0xFF000000u);  // the target's black shows through the hole
    // Hardly any runs: kept as it is.
    const Image noisyDrawn = qtPlatform().render({700, 450}, [&](Painter& p) { p.drawImage(noise, {0, 0, 700, 450}); });
    EXPECT_TRUE(noise.pixelsLoaded());
    EXPECT_EQ(noisyDrawn.pixel(300, 200), noisy.pixel(300, 200));
}

TEST(QtDecoding, StraightIntoPixelsGivesWhatQtsOwnConversionGives) {
    const test::TempFolder folder("orvane-translucent");
    const fs::path file = folder / "translucent.png";
    QImage q(3, 1, QImage::Format_ARGB32);
    q.setPixel(0, 0, qRgba(200, 100, 50, 128));
    q.setPixel(1, 0, qRgba(10, 20, 30, 0));
    q.setPixel(2, 0, qRgba(255, 255, 255, 255));
    ASSERT_TRUE(q.save(QString::fromStdString(file.string())));
    const Image img = qt::QtPlatform::decodeFile(file.string());
    const QImage want = QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_EQ(img.size(), (Size{3, 1}));
    for (int x = 0; x < 3; ++x) EXPECT_EQ(img.pixel(x, 0), want.pixel(x, 0)) << x;
    EXPECT_EQ(qt::QtPlatform::readImageSize(file.string()), (std::optional<Size>{Size{3, 1}}));
    std::ofstream(file) << "not a picture";
    EXPECT_FALSE(qt::QtPlatform::readImageSize(file.string()));
}

}  // namespace
}  // namespace orvane::platform
