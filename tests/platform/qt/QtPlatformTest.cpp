// The Qt platform, offscreen: painting, images, fonts, windows, messages and timers.
#include "platform/qt/QtPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QImage>
#include <fstream>
#include <thread>

#include "platform/qt/QtResources.h"
#include "support/QtPlatformOnce.h"

namespace orvane::platform {
namespace {

qt::QtPlatform& platform() {
    return test::QtPlatformOnce();
}

Color at(const Image& img, int x, int y) { return Color::fromArgb(img.pixel(x, y)); }

TEST(QtPainting, ColoursAreReadRedFirstFromTheLowByte) {
    const Image img = platform().render({4, 4}, [](Painter& p) {
        p.fillRect({0, 0, 2, 4}, bgr(0xDEA035));
        p.fillRect({2, 0, 4, 4}, bgr(0x00FFFF));
    });
    EXPECT_EQ(at(img, 0, 0), (Color{0x35, 0xA0, 0xDE, 255}));
    EXPECT_EQ(at(img, 3, 3), (Color{0xFF, 0xFF, 0x00, 255}));
}

TEST(QtPainting, OutlinesLinesPixelsAndClipStayInside) {
    const Image img = platform().render({10, 10}, [](Painter& p) {
        p.drawRect({2, 2, 8, 8}, bgr(0xFFFFFF));
        p.setPixel({0, 0}, bgr(0x0000FF));
        p.setClip({0, 0, 5, 10});
        p.drawLine({0, 9}, {9, 9}, bgr(0x00FF00));
    });
    EXPECT_EQ(at(img, 2, 5), bgr(0xFFFFFF));
    EXPECT_EQ(at(img, 7, 5), bgr(0xFFFFFF));
    EXPECT_EQ(at(img, 5, 5), bgr(0x000000));
    EXPECT_EQ(at(img, 8, 5), bgr(0x000000));
    EXPECT_EQ(at(img, 0, 0), bgr(0x0000FF));
    EXPECT_EQ(at(img, 4, 9), bgr(0x00FF00));
    EXPECT_EQ(at(img, 6, 9), bgr(0x000000));  // clipped
}

TEST(QtPainting, NearestKeepsEdgesAndSmoothBlendsThem) {
    const Image src(2, 1, {0xFF000000u, 0xFFFFFFFFu});
    const Image nearest = platform().render({8, 1}, [&](Painter& p) { p.drawImage(src, {0, 0, 8, 1}, Interpolation::Nearest); });
    const Image smooth = platform().render({8, 1}, [&](Painter& p) { p.drawImage(src, {0, 0, 8, 1}, Interpolation::Smooth); });
    EXPECT_EQ(at(nearest, 3, 0).r, 0);
    EXPECT_EQ(at(nearest, 4, 0).r, 255);
    EXPECT_GT(at(smooth, 3, 0).r, 0);
    EXPECT_LT(at(smooth, 3, 0).r, 255);
}

TEST(QtPainting, SourceRectangleSelectsAFrameOfAStrip) {
    std::vector<uint32_t> px{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    const Image strip(3, 1, px);
    const Image img = platform().render({2, 2}, [&](Painter& p) { p.drawImage(strip, {0, 0, 2, 2}, {1, 0, 2, 1}); });
    EXPECT_EQ(img.pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(1, 1), 0xFF00FF00u);
}

TEST(QtPainting, NullImageDrawsNothing) {
    const Image img = platform().render({2, 2}, [](Painter& p) { p.drawImage(Image{}, {0, 0, 2, 2}); });
    EXPECT_EQ(img.pixel(0, 0), 0xFF000000u);
}

int inkColumns(const Image& img, int top, int bottom, int* first = nullptr, int* last = nullptr) {
    int count = 0, lo = -1, hi = -1;
    for (int x = 0; x < img.width(); ++x) {
        bool ink = false;
        for (int y = top; y < bottom; ++y) ink |= (img.pixel(x, y) & 0xFFFFFF) != 0;
        if (ink) {
            ++count;
            if (lo < 0) lo = x;
            hi = x;
        }
    }
    if (first) *first = lo;
    if (last) *last = hi;
    return count;
}

TEST(QtText, AlignmentAndEllipsisKeepTextInsideItsRectangle) {
    const FontSpec font{u"Tahoma", 16, 0};
    const auto fmt = kTextSingleLine | kTextVCenter | kTextWordEllipsis;
    const Image left = platform().render({200, 20}, [&](Painter& p) {
        p.drawText(u"Polling", {0, 0, 200, 20}, font, bgr(0xFFFFFF), fmt | kTextLeft);
    });
    const Image right = platform().render({200, 20}, [&](Painter& p) {
        p.drawText(u"Polling", {0, 0, 200, 20}, font, bgr(0xFFFFFF), fmt | kTextRight);
    });
    int lFirst, lLast, rFirst, rLast;
    inkColumns(left, 0, 20, &lFirst, &lLast);
    inkColumns(right, 0, 20, &rFirst, &rLast);
    EXPECT_LT(lFirst, 3);
    EXPECT_GT(rLast, 195);
    const Image narrow = platform().render({200, 20}, [&](Painter& p) {
        p.drawText(u"A rather long caption that does not fit", {10, 0, 60, 20}, font, bgr(0xFFFFFF), fmt);
    });
    int nFirst, nLast;
    inkColumns(narrow, 0, 20, &nFirst, &nLast);
    EXPECT_GE(nFirst, 10);
    EXPECT_LT(nLast, 60);
}

TEST(QtText, WrappingUsesMoreLinesThanASingleLine) {
    const FontSpec font{u"Tahoma", 16, 0};
    const Text t = u"one two three four five six";
    auto rows = [&](TextFormat f) {
        const Image img = platform().render({80, 100}, [&](Painter& p) { p.drawText(t, {0, 0, 80, 100}, font, bgr(0xFFFFFF), f); });
        int n = 0;
        for (int y = 0; y < 100; ++y) {
            bool ink = false;
            for (int x = 0; x < 80; ++x) ink |= (img.pixel(x, y) & 0xFFFFFF) != 0;
            n += ink;
        }
        return n;
    };
    EXPECT_GT(rows(kTextWordBreak), 2 * rows(kTextSingleLine));
}

TEST(QtText, SkinFacesMapToInstalledFamilies) {
    platform();  // the application must exist before fonts are looked up
    qt::QtResources res;
    EXPECT_EQ(res.family(u"Tahoma"), QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(res.family(u"宋体").contains(QStringLiteral("CJK")));
    // Cell height 16 in the skin's Latin face is text of about 13 pixels.
    EXPECT_EQ(res.font(FontSpec{u"Tahoma", 16, 0}).pixelSize(), 13);
    EXPECT_EQ(res.font(FontSpec{u"宋体", 12, 0}).pixelSize(), 12);
    EXPECT_EQ(res.font(FontSpec{u"Tahoma", -13, 600}).pixelSize(), 13);
    EXPECT_EQ(res.font(FontSpec{u"Tahoma", -13, 600}).weight(), QFont::DemiBold);
    const Image cjk = platform().render({40, 20}, [](Painter& p) {
        p.drawText(u"中文", {0, 0, 40, 20}, FontSpec{u"宋体", 12, 0}, bgr(0xFFFFFF), kTextSingleLine);
    });
    EXPECT_GT(inkColumns(cjk, 0, 20), 8);  // drawn with a real CJK face, not boxes of nothing
}

TEST(QtText, JapaneseGetsAJapaneseFamilyAndCyrillicTheLatinOne) {
    platform();
    qt::QtResources res;
    // The Japanese face stands for a Japanese family, never the Chinese one whose forms of the
    // shared characters differ, and is drawn at the size of the Chinese face.
    const QString japanese = res.family(u"MS UI Gothic");
    EXPECT_TRUE(QFontDatabase::writingSystems(japanese).contains(QFontDatabase::Japanese))
        << japanese.toStdString();
    if (QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK JP"))) {
        EXPECT_EQ(japanese, QStringLiteral("Noto Sans CJK JP"));
    }
    EXPECT_EQ(res.font(FontSpec{u"MS UI Gothic", 12, 0}).pixelSize(), 12);
    EXPECT_EQ(res.font(FontSpec{u"ms ui gothic", 24, 0}).pixelSize(), 24);
    const Image kana = platform().render({40, 20}, [](Painter& p) {
        p.drawText(u"ボタン", {0, 0, 40, 20}, FontSpec{u"MS UI Gothic", 12, 0}, bgr(0xFFFFFF), kTextSingleLine);
    });
    EXPECT_GT(inkColumns(kana, 0, 20), 12);
    // Russian is drawn by the Latin face's own family, which has the Cyrillic letters.
    EXPECT_TRUE(QFontDatabase::writingSystems(res.family(u"Tahoma")).contains(QFontDatabase::Cyrillic));
}

// Ink rows of a picture: first and last row with anything drawn, or -1.
void inkRows(const Image& img, int* first, int* last) {
    *first = *last = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0) {
                if (*first < 0) *first = y;
                *last = y;
                break;
            }
}

TEST(QtPainterText, CondensedLinesAndShrunkParagraphsStayInsideTheirRectangle) {
    // A five-digit value in a 22-pixel box, unclipped so that an overflow would show.
    const FontSpec small{u"Tahoma", 10, 0};
    const TextFormat line = kTextCenter | kTextSingleLine | kTextVCenter | kTextNoClip;
    auto drawLine = [&](TextFormat extra) {
        return platform().render({60, 11}, [&](Painter& p) {
            p.drawText(u"24000", {19, 0, 41, 11}, small, bgr(0xFFFFFF), line | extra);
        });
    };
    int first, last;
    inkColumns(drawLine(0), 0, 11, &first, &last);
    ASSERT_TRUE(first < 19 || last > 40) << "the sample must be too wide to show anything";
    inkColumns(drawLine(kTextCondense), 0, 11, &first, &last);
    EXPECT_GE(first, 19);
    EXPECT_LE(last, 40);
    EXPECT_GT(last - first, 16);  // narrower, not cut

    // Four lines of text in a box three lines high: shrunk to fit, still wrapped at words.
    const FontSpec ui{u"Tahoma", 16, 0};
    const TextFormat para = kTextCenter | kTextWordBreak | kTextVCenter | kTextNoClip;
    const Text text =
        u"Four lines of text in a box that holds only three of them at the size asked for, so it is drawn smaller.";
    auto drawPara = [&](TextFormat extra) {
        return platform().render({200, 80}, [&](Painter& p) {
            p.drawText(text, {10, 20, 190, 62}, ui, bgr(0xFFFFFF), para | extra);
        });
    };
    inkRows(drawPara(0), &first, &last);
    ASSERT_TRUE(first < 20 || last > 61) << "the sample must be too long to show anything";
    inkRows(drawPara(kTextShrinkToFit), &first, &last);
    EXPECT_GE(first, 20);
    EXPECT_LE(last, 61);
}

TEST(QtImages, PngAndBmpFilesDecodeThroughTheCache) {
    const test::TempFolder folder("orvane-qtimages");
    const std::string dir = folder.path().string();
    QImage q(3, 2, QImage::Format_ARGB32);
    q.fill(QColor(0x35, 0xA0, 0xDE));
    ASSERT_TRUE(q.save(QString::fromStdString(dir + "/a.png")));
    ASSERT_TRUE(q.save(QString::fromStdString(dir + "/b.bmp")));
    ImageCache cache(dir, &qt::QtPlatform::decodeFile);
    std::vector<std::pair<std::string, bool>> reported;
    cache.setMissingReporter([&](const std::string& file, bool exists) { reported.emplace_back(file, exists); });
    const Image png = cache.load(std::string("a.png"));
    const Image bmp = cache.load(std::string("b.bmp"));
    ASSERT_FALSE(png.isNull());
    ASSERT_FALSE(bmp.isNull());
    EXPECT_EQ(png.size(), (Size{3, 2}));
    EXPECT_EQ(at(bmp, 2, 1), bgr(0xDEA035));
    EXPECT_TRUE(cache.load(std::string("missing.png")).isNull());
    cache.load(std::string("a.png"));
    EXPECT_EQ(cache.decodeCount(), 3);  // the second load of a.png came from the cache
    std::ofstream(dir + "/broken.png") << "not a picture";
    cache.load(std::string("broken.png"));
    EXPECT_TRUE(cache.loadOptional(std::string("absent@2x.png")).isNull());
    // A missing picture is reported once, whatever the paints and reloads that follow; a picture
    // the skin may leave out is not reported at all.
    cache.load(std::string("missing.png"));
    cache.clear();
    cache.load(std::string("missing.png"));
    const std::vector<std::pair<std::string, bool>> expected{{cache.resolve("missing.png"), false},
                                                             {cache.resolve("broken.png"), true}};
    EXPECT_EQ(reported, expected);
    ASSERT_TRUE(platform().savePng(png, dir + "/c.png").ok());
    EXPECT_EQ(qt::QtPlatform::decodeFile(dir + "/c.png").pixel(0, 0), png.pixel(0, 0));
}

TEST(QtScreen, DisplayScaleDoublesAbove3000Pixels) {
    EXPECT_EQ(displayScaleFor(3000), 1.0f);
    EXPECT_EQ(displayScaleFor(3001), 2.0f);
    EXPECT_GT(platform().screen().fullScreen.width, 0);
    EXPECT_GT(platform().screen().pixelDensity, 0.0f);
}

}  // namespace
}  // namespace orvane::platform
