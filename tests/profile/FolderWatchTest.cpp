// The kernel's word of changes in a folder, on a real folder: what another program's writes do
// is told, the end of the folder ends the watch, and a watch that cannot start says so.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "profile/AtomicFile.h"
#include "profile/FolderWatch.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// What the watch's thread told, for the test's thread to wait on (bounded).
class Told {
public:
    FolderWatch::OnChange Callback() {
        return [this](bool lost) {
            std::lock_guard lock(mutex_);
            ++changes_;
            lost_ = lost_ || lost;
            cv_.notify_all();
        };
    }
    bool WaitFor(int changes) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, 20s, [&] { return changes_ >= changes; });
    }
    bool WaitLost() {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, 20s, [&] { return lost_; });
    }
    int Changes() {
        std::lock_guard lock(mutex_);
        return changes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    int changes_ = 0;
    bool lost_ = false;
};

TEST(FolderWatch, WritesRenamesAndRemovalsInTheFolderAreTold) {
    test::TempFolder folder("orvane-watch");
    Told told;
    auto watch = FolderWatch::Start(folder.path(), told.Callback());
    ASSERT_TRUE(watch.ok()) << watch.error().message();
    EXPECT_EQ(told.Changes(), 0);  // nothing happened yet

    ASSERT_TRUE(WriteFileAtomically(folder / "Settings.ini", "a").ok());
    ASSERT_TRUE(told.WaitFor(1));
    const int afterWrite = told.Changes();
    std::ofstream(folder / "Profile1.psf") << "in place";
    ASSERT_TRUE(told.WaitFor(afterWrite + 1));
    const int afterInPlace = told.Changes();
    fs::remove(folder / "Settings.ini");
    ASSERT_TRUE(told.WaitFor(afterInPlace + 1));
    watch.value().reset();  // stops its thread while it waits
}

TEST(FolderWatch, TheFolderGoingEndsTheWatch) {
    test::TempFolder parent("orvane-watch");
    fs::create_directory(parent / "config");
    Told told;
    auto watch = FolderWatch::Start(parent / "config", told.Callback());
    ASSERT_TRUE(watch.ok());
    fs::rename(parent / "config", parent / "elsewhere");
    EXPECT_TRUE(told.WaitLost());
}

TEST(FolderWatch, AFolderThatIsNotThereOrNotAFolderGivesNoWatch) {
    test::TempFolder folder("orvane-watch");
    Told told;
    auto missing = FolderWatch::Start(folder / "missing", told.Callback());
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().code, ENOENT);
    EXPECT_NE(missing.error().message().find("missing"), std::string::npos) << missing.error().message();
    std::ofstream(folder / "file") << "x";
    auto file = FolderWatch::Start(folder / "file", told.Callback());
    ASSERT_FALSE(file.ok());
    EXPECT_EQ(file.error().code, ENOTDIR);
}

}  // namespace
}  // namespace orvane
