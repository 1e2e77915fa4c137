// Pictures decoded on their own thread while a window is set up: each is handed over once, a
// draw waits only for the decode under way, and nothing is lost or kept when the window does
// not take them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "platform/ImageCache.h"
#include "platform/PrefetchedPictures.h"

namespace orvane::platform {
namespace {

using namespace std::chrono_literals;

const Color kRed{0xFF, 0, 0, 0xFF};

// Decodes any file into a 2 x 2 picture, noting on which thread; a file can be held back until
// the test lets it go.
class Decoding {
public:
    ImageCache::Decoder decoder() {
        return [this](const std::string& file) {
            std::unique_lock lock(m_);
            started_.insert(file);
            changed_.notify_all();
            changed_.wait(lock, [&] { return !held_.count(file); });
            threads_.emplace(file, std::this_thread::get_id());
            ++count_[file];
            return Image::filled(2, 2, kRed);
        };
    }
    ImageCache cache() {
        ImageCache c("/skin", decoder(), [](const std::string&) { return std::optional<Size>(Size{2, 2}); });
        c.setMissingReporter([](const std::string&, bool) { ADD_FAILURE() << "nothing is missing"; });
        return c;
    }
    void hold(const std::string& file) {
        std::lock_guard lock(m_);
        held_.insert(file);
    }
    void release(const std::string& file) {
        {
            std::lock_guard lock(m_);
            held_.erase(file);
        }
        changed_.notify_all();
    }
    void waitStarted(const std::string& file) {
        std::unique_lock lock(m_);
        changed_.wait(lock, [&] { return started_.count(file) > 0; });
    }
    void waitDecoded(const std::string& file) {
        std::unique_lock lock(m_);
        changed_.wait(lock, [&] { return count_[file] > 0; });
    }
    int count(const std::string& file) {
        std::lock_guard lock(m_);
        return count_[file];
    }
    // Whether every decode of file ran on this thread.
    bool decodedHere(const std::string& file) {
        std::lock_guard lock(m_);
        auto [first, last] = threads_.equal_range(file);
        for (auto it = first; it != last; ++it)
            if (it->second != std::this_thread::get_id()) return false;
        return first != last;
    }

private:
    std::mutex m_;
    std::condition_variable changed_;
    std::set<std::string> started_, held_;
    std::map<std::string, int> count_;
    std::multimap<std::string, std::thread::id> threads_;
};

TEST(PrefetchedPictures, AreDecodedAwayFromTheWindowAndHandedOverOnce) {
    Decoding d;
    ImageCache images = d.cache();
    images.prefetch({"skins\\a.png", "skins/b.png"});
    d.waitDecoded("/skin/skins/b.png");
    const Image a = images.load(std::string("skins/a.png"));
    const Image b = images.load(std::string("skins\\b.png"));
    EXPECT_EQ(a.pixel(1, 1), kRed.toArgb());
    EXPECT_EQ(b.pixel(0, 0), kRed.toArgb());
    EXPECT_EQ(d.count("/skin/skins/a.png"), 1);
    EXPECT_FALSE(d.decodedHere("/skin/skins/a.png"));
    // Let go by the painter and needed again: read again here, not kept twice.
    a.releasePixels();
    EXPECT_EQ(a.pixel(0, 1), kRed.toArgb());
    EXPECT_EQ(d.count("/skin/skins/a.png"), 2);
    // A picture that was not named is decoded where it is drawn.
    EXPECT_TRUE(images.load(std::string("skins/c.png")).bits());
    EXPECT_TRUE(d.decodedHere("/skin/skins/c.png"));
}

TEST(PrefetchedPictures, ADrawWaitsForTheDecodeUnderWayButNotForTheOnesBehindIt) {
    Decoding d;
    ImageCache images = d.cache();
    d.hold("/skin/a.png");
    images.prefetch({"a.png", "b.png"});
    d.waitStarted("/skin/a.png");
    // b is still waiting its turn behind a: drawn now, it is decoded here at once.
    EXPECT_TRUE(images.load(std::string("b.png")).bits());
    EXPECT_TRUE(d.decodedHere("/skin/b.png"));
    std::thread releaser([&d] {
        std::this_thread::sleep_for(50ms);
        d.release("/skin/a.png");
    });
    // a is being decoded: the draw takes that decode rather than start a second one.
    const Image a = images.load(std::string("a.png"));
    EXPECT_EQ(a.pixel(0, 0), kRed.toArgb());
    releaser.join();
    EXPECT_EQ(d.count("/skin/a.png"), 1);
    EXPECT_FALSE(d.decodedHere("/skin/a.png"));
    images.endPrefetch();
    EXPECT_EQ(d.count("/skin/b.png"), 1);  // the thread skipped the one drawn meanwhile
}

TEST(PrefetchedPictures, NotDrawnTheyAreLetGoAndAWindowGoneMidDecodeWaitsForIt) {
    Decoding d;
    {
        ImageCache images = d.cache();
        images.prefetch({"a.png"});
        d.waitDecoded("/skin/a.png");
        images.endPrefetch();
        // What was let go is read again when it is drawn after all.
        EXPECT_TRUE(images.load(std::string("a.png")).bits());
        EXPECT_EQ(d.count("/skin/a.png"), 2);
    }
    std::atomic<bool> gone{false};
    std::thread releaser;
    {
        ImageCache images = d.cache();
        d.hold("/skin/b.png");
        images.prefetch({"b.png", "c.png"});
        d.waitStarted("/skin/b.png");
        releaser = std::thread([&] {
            std::this_thread::sleep_for(50ms);
            EXPECT_FALSE(gone.load());  // the cache waits for the decoder it handed out
            d.release("/skin/b.png");
        });
    }
    gone = true;
    releaser.join();
    EXPECT_EQ(d.count("/skin/c.png"), 0);  // not started once the cache was gone
}

}  // namespace
}  // namespace orvane::platform
