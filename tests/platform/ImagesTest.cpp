// Pictures read from files: decoded only when used, let go once the painter holds what it
// draws, read again when needed, and decoded the same way whichever path the decoder takes.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "platform/ImageCache.h"
#include "platform/qt/QtPlatform.h"

namespace orvane::platform {
namespace {

namespace fs = std::filesystem;

const uint32_t kBlue = Color{0x35, 0xA0, 0xDE, 0xFF}.toArgb();

// Files of one colour each, decoded by a counting decoder.
class DeferredPictures : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) / "orvane-deferred";
        fs::create_directories(dir_);
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

qt::QtPlatform& qtPlatform() {
    static int argc = 1;
    static char name[] = "orvane-platform-tests";
    static char* argv[] = {name, nullptr};
    static auto* p = new qt::QtPlatform(argc, argv);  // never destroyed: Qt's statics may be gone
    return *p;
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

TEST(QtDecoding, StraightIntoPixelsGivesWhatQtsOwnConversionGives) {
    const fs::path file = fs::path(::testing::TempDir()) / "orvane-translucent.png";
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
