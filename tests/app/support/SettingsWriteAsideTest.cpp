// The settings file is written on the loop's worker: the loop's thread goes on while the disk is
// slow, a later save is never overtaken by an earlier one, and a save still on its way at exit
// reaches the disk. The disk is a writer the test holds until it lets it go.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "app/ConfigSync.h"
#include "base/RealEventLoop.h"
#include "profile/SettingsFile.h"
#include "profile/Storage.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

// Writes the real file, but only once the test opens the gate; notes the Mac_ID of every table.
class Gate {
public:
    ConfigSync::SettingsWriter Writer(std::shared_ptr<Gate> self) {
        return [self](const Settings& s, const std::filesystem::path& path) {
            std::unique_lock lock(self->mutex_);
            ++self->entered_;
            self->changed_.notify_all();
            // Bounded: a caller that waits for this write would otherwise hang the test.
            if (!self->changed_.wait_for(lock, 20s, [&] { return self->open_; })) self->gaveUp_ = true;
            self->written_.push_back(s.GetMacId());
            lock.unlock();
            Status st = WriteSettingsFile(s, path);
            lock.lock();
            ++self->finished_;
            self->changed_.notify_all();
            return st;
        };
    }
    bool WaitEntered(int n) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 20s, [&] { return entered_ >= n; });
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    int Finished() {
        std::lock_guard lock(mutex_);
        return finished_;
    }
    std::vector<int32_t> Written() {
        std::lock_guard lock(mutex_);
        return written_;
    }
    bool GaveUp() {
        std::lock_guard lock(mutex_);
        return gaveUp_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int entered_ = 0, finished_ = 0;
    bool open_ = false, gaveUp_ = false;
    std::vector<int32_t> written_;
};

class SettingsWriteAside : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = test::MakeTempFolder("orvane-aside");
        std::filesystem::create_directories(dir_ / "config");
        app_ = std::make_unique<AppData>(dir_);
        files_ = std::make_unique<ConfigSync>(*app_, loop_, nullptr, nullptr, gate_->Writer(gate_));
        files_->Load([this] { (void)LoadSettingsAndProfiles(*app_); });
    }
    void TearDown() override {
        gate_->Open();
        files_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    int32_t MacIdOnDisk() {
        auto read = ReadSettingsFile(dir_ / "config" / "config.ini", Settings{});
        EXPECT_TRUE(read.ok());
        return read.ok() ? read->GetMacId() : -1;
    }

    std::filesystem::path dir_;
    RealEventLoop loop_;
    std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
    std::unique_ptr<AppData> app_;
    std::unique_ptr<ConfigSync> files_;
};

TEST_F(SettingsWriteAside, TheCallerGoesOnWhileTheDiskHoldsTheWriteAndTheLastSaveWins) {
    app_->settings.SetMacId(1);
    EXPECT_TRUE(files_->WriteSettings());
    // The call came back while the write is held: the writer has not finished, and never gave up
    // waiting (as it would if the caller had waited for it).
    ASSERT_TRUE(gate_->WaitEntered(1));
    EXPECT_EQ(gate_->Finished(), 0);

    // A second save while the first is on its way waits for it rather than overtaking it.
    app_->settings.SetMacId(2);
    EXPECT_FALSE(files_->WriteSettings());
    EXPECT_TRUE(files_->WritesKept());

    gate_->Open();
    ASSERT_TRUE(loop_.runUntil([&] { return gate_->Finished() == 2 && !files_->WritesKept(); }, 20000));
    EXPECT_FALSE(gate_->GaveUp());
    EXPECT_EQ(gate_->Written(), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(MacIdOnDisk(), 2);
}

TEST_F(SettingsWriteAside, FlushAtTheEndWaitsForTheWriteOnItsWay) {
    app_->settings.SetMacId(7);
    EXPECT_TRUE(files_->WriteSettings());
    ASSERT_TRUE(gate_->WaitEntered(1));

    std::mutex m;
    std::condition_variable cv;
    bool flushed = false;
    int finishedWhenFlushed = -1;
    std::thread ending([&] {
        files_->Flush(20000);
        std::lock_guard lock(m);
        finishedWhenFlushed = gate_->Finished();
        flushed = true;
        cv.notify_all();
    });
    {
        // Flush must still be waiting: give a wrong one the chance to return early.
        std::unique_lock lock(m);
        cv.wait_for(lock, 200ms, [&] { return flushed; });
    }
    gate_->Open();
    ending.join();
    EXPECT_EQ(finishedWhenFlushed, 1);
    EXPECT_EQ(MacIdOnDisk(), 7);
}

}  // namespace
}  // namespace orvane
