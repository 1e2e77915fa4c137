// Decoded pictures kept on disk between starts: used only for the file as it is now, never when
// damaged or someone else's, and a second start draws its first paint without decoding.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>

#include "platform/ImageCache.h"
#include "platform/PictureStore.h"

namespace orvane::platform {
namespace {

namespace fs = std::filesystem;

class PictureStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "orvane-store-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        dir_ = name;
        fs::create_directories(dir_ / "skin");
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A picture file: only its identity matters to the store.
    std::string source(const std::string& name, const std::string& bytes = "png bytes") {
        const fs::path p = dir_ / "skin" / name;
        std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
        return p.string();
    }
    static Image picture(uint32_t seed) {
        return Image(3, 2, {seed, seed + 1, seed + 2, 0xFF000000u | seed, 0, 0x80808080u});
    }
    static std::vector<uint32_t> pixelsOf(const Image& img) { return {img.bits(), img.bits() + 6}; }

    fs::path dir_;
};

TEST_F(PictureStoreTest, PixelsAreGivenBackOnlyForTheFileAsItWasWhenKept) {
    const PictureStore store(dir_ / "cache" / "pictures");
    const std::string a = source("a.png");
    EXPECT_FALSE(store.read(a));
    EXPECT_FALSE(store.read(a).has_value());
    ASSERT_TRUE(store.write(a, picture(7)));
    EXPECT_EQ(fs::status(store.folder()).permissions() & fs::perms::all, fs::perms::owner_all);
    const std::optional<Image> back = store.read(a);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->size(), (Size{3, 2}));
    EXPECT_EQ(pixelsOf(*back), pixelsOf(picture(7)));
    EXPECT_TRUE(store.read(a).has_value());

    // The same bytes written again: a new modification time.
    timespec times[2] = {{0, UTIME_OMIT}, {1'000'000'000, 5}};
    ASSERT_EQ(::utimensat(AT_FDCWD, a.c_str(), times, 0), 0);
    EXPECT_FALSE(store.read(a));
    ASSERT_TRUE(store.write(a, picture(9)));
    EXPECT_EQ(pixelsOf(*store.read(a)), pixelsOf(picture(9)));
    // Another picture under the same name (a skin updated): another size.
    source("a.png", "another picture");
    EXPECT_FALSE(store.read(a));
    EXPECT_FALSE(store.read(a).has_value());
    // Gone altogether.
    fs::remove(a);
    EXPECT_FALSE(store.read(a));
    // Nothing of the writes is left but the entry.
    EXPECT_EQ(std::distance(fs::directory_iterator(store.folder()), fs::directory_iterator()), 1);
}

TEST_F(PictureStoreTest, DamagedForeignOrOddEntriesAreNotUsedAndNothingIsKeptWhereNothingCanBe) {
    const PictureStore store(dir_ / "cache");
    const std::string a = source("a.png"), b = source("b.png");
    ASSERT_TRUE(store.write(a, picture(1)));
    const fs::path entry = store.entryPath(a);
    const auto whole = fs::file_size(entry);

    // a's entry under the name of another file, even of the same file by a second name: an entry
    // is only for the name it was kept for.
    fs::copy_file(entry, store.entryPath(b));
    EXPECT_FALSE(store.read(b));
    const std::string alias = (dir_ / "skin" / "z.png").string();
    fs::create_hard_link(a, alias);
    fs::copy_file(entry, store.entryPath(alias));
    EXPECT_FALSE(store.read(alias));
    EXPECT_TRUE(store.read(a));

    // Cut short, or longer than its header says.
    fs::resize_file(entry, whole - 1);
    EXPECT_FALSE(store.read(a));
    fs::resize_file(entry, whole + 4);
    EXPECT_FALSE(store.read(a));
    // Its header overwritten.
    ASSERT_TRUE(store.write(a, picture(1)));
    {
        std::fstream f(entry, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(12);
        f.write("\xff\xff\xff\x7f", 4);  // an absurd width
    }
    EXPECT_FALSE(store.read(a));

    // Only regular files are read: a link to a good entry, and a pipe (which must not hang).
    ASSERT_TRUE(store.write(b, picture(2)));
    fs::remove(entry);
    fs::create_symlink(store.entryPath(b), entry);
    EXPECT_FALSE(store.read(a));
    fs::remove(entry);
    ASSERT_EQ(::mkfifo(entry.c_str(), 0600), 0);
    EXPECT_FALSE(store.read(a));
    EXPECT_FALSE(store.read(a).has_value());

    // A store that cannot be made, pictures too large or of no file: nothing kept, no harm done.
    std::ofstream(dir_ / "plain") << "x";
    EXPECT_FALSE(PictureStore(dir_ / "plain" / "pictures").write(a, picture(3)));
    EXPECT_FALSE(store.write(source("c.png"), Image::filled(2048, 2049, {0, 0, 0, 255})));  // > 16 MiB
    EXPECT_FALSE(store.write((dir_ / "skin" / "none.png").string(), picture(4)));
    EXPECT_FALSE(store.write(a, Image()));
}

TEST_F(PictureStoreTest, TheFirstPaintsListKeepsItsOrderAndOnlyWhatItCanReadBack) {
    const PictureStore store(dir_ / "cache");
    EXPECT_TRUE(store.firstPictures().empty());
    ASSERT_TRUE(store.writeFirstPictures({"/s/b.png", "relative.png", "/s/with\nnewline.png", "/s/a.png", ""}));
    EXPECT_EQ(store.firstPictures(), (std::vector<std::string>{"/s/b.png", "/s/a.png"}));
    ASSERT_TRUE(store.writeFirstPictures({"/s/c.png"}));
    EXPECT_EQ(store.firstPictures(), (std::vector<std::string>{"/s/c.png"}));

    // Not ours, or not whole: not used.
    const fs::path list = store.folder() / "first-pictures";
    std::ofstream(list, std::ios::trunc) << "some other file\n/s/a.png\n";
    EXPECT_TRUE(store.firstPictures().empty());
    std::ofstream(list, std::ios::trunc) << "orvane first pictures 1\n/s/a.png\n/s/b.p";
    EXPECT_TRUE(store.firstPictures().empty());
}

// Decodes any file into a picture of its own, counting decodes per file.
class CountingDecoder {
public:
    ImageCache::Decoder decoder() {
        return [this](const std::string& file) {
            std::lock_guard lock(m_);
            ++count_[file];
            return Image(1, 1, {uint32_t(std::hash<std::string>{}(file)) | 0xFF000000u});
        };
    }
    int count(const std::string& file) {
        std::lock_guard lock(m_);
        return count_[file];
    }
    int total() {
        std::lock_guard lock(m_);
        int n = 0;
        for (const auto& [file, c] : count_) n += c;
        return n;
    }

private:
    std::mutex m_;
    std::map<std::string, int> count_;
};

TEST_F(PictureStoreTest, ASecondStartDrawsTheFirstPaintsPicturesWithoutDecodingThem) {
    const auto store = std::make_shared<PictureStore>(dir_ / "cache");
    const std::string skin = (dir_ / "skin").string();
    const std::string a = source("a.png"), b = source("b.png"), c = source("c.png");
    const auto start = [&](CountingDecoder& d, const std::vector<std::string>& named) {
        auto images = std::make_unique<ImageCache>(skin, d.decoder(), [](const std::string&) {
            return std::optional<Size>(Size{1, 1});
        });
        images->useStore(store);
        images->prefetch(named);
        return images;
    };
    // The first paint draws c, a and b (a named for prefetch); d is drawn only later.
    const auto firstPaint = [&](ImageCache& images) {
        std::vector<uint32_t> drawn;
        for (const char* name : {"c.png", "a.png", "b.png"}) drawn.push_back(images.load(std::string(name)).pixel(0, 0));
        images.endPrefetch();
        return drawn;
    };

    CountingDecoder first;
    std::vector<uint32_t> shown;
    {
        auto images = start(first, {"a.png"});
        shown = firstPaint(*images);
        (void)images->load(std::string("d.png")).bits();
    }  // waits for the store to be written
    EXPECT_TRUE(store->read(a).has_value() && store->read(b).has_value() && store->read(c).has_value());
    EXPECT_FALSE(store->read((dir_ / "skin" / "d.png").string()).has_value());
    EXPECT_EQ(store->firstPictures(), (std::vector<std::string>{c, a, b}));

    CountingDecoder second;
    {
        auto images = start(second, {"a.png"});
        EXPECT_EQ(firstPaint(*images), shown);
    }
    EXPECT_EQ(second.total(), 0);

    // b changed on disk: only b is decoded again, and kept again.
    source("b.png", "a new look");
    CountingDecoder third;
    {
        auto images = start(third, {});
        EXPECT_EQ(firstPaint(*images), shown);
    }
    EXPECT_EQ(third.total(), third.count(b));
    EXPECT_GE(third.count(b), 1);
    EXPECT_TRUE(store->read(b).has_value());

    // A window never painted (started minimised) changes nothing in the store, whatever it used.
    CountingDecoder fourth;
    {
        auto images = start(fourth, {});
        (void)images->load(std::string("d.png")).bits();
        images->dropPrefetch();
    }
    EXPECT_EQ(fourth.total(), 1);  // d, drawn
    EXPECT_FALSE(store->read((dir_ / "skin" / "d.png").string()).has_value());
    EXPECT_EQ(store->firstPictures(), (std::vector<std::string>{c, a, b}));
}

}  // namespace
}  // namespace orvane::platform
