// The window's saves: a save the folder refuses reaches the log once, a busy folder is no failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ConfigSync.h"
#include "base/VirtualEventLoop.h"
#include "profile/ConfigLock.h"
#include "profile/RecordingFileCalls.h"
#include "profile/Storage.h"
#include "profile/TestFiles.h"

namespace orvane {
namespace {

class ConfigSaves : public testing::TempAppDir {
protected:
    void SetUp() override {
        TempAppDir::SetUp();
        app_ = std::make_unique<AppData>(dir_);
        files_ = std::make_unique<ConfigSync>(*app_, loop_, nullptr,
                                              [this](const std::string& w) { warned_.push_back(w); });
        files_->Load([this] { LoadSettingsAndProfiles(*app_); });
    }
    static bool IntoSettings(const testing::FileCall& c) {
        return c.op == "rename" && c.to.size() >= 10 && c.to.substr(c.to.size() - 10) == "config.ini";
    }

    VirtualEventLoop loop_;
    std::unique_ptr<AppData> app_;
    std::unique_ptr<ConfigSync> files_;
    std::vector<std::string> warned_;
};

TEST_F(ConfigSaves, ASaveThatFailsIsLoggedOnceUntilASaveGoesThrough) {
    testing::RecordingFileCalls sys;
    sys.failWhen = IntoSettings;
    // The settings are written on the worker: the failure is told when it is done.
    (void)files_->WriteSettings();
    loop_.runPending();
    EXPECT_FALSE(files_->WritesKept());  // failed, not waiting for the folder
    (void)files_->WriteSettings();
    loop_.runPending();
    files_->SaveAll();
    loop_.runPending();
    ASSERT_EQ(warned_.size(), 1u);
    EXPECT_NE(warned_[0].find(Config("config.ini").string()), std::string::npos) << warned_[0];

    sys.failWhen = nullptr;
    EXPECT_TRUE(files_->WriteSettings());
    loop_.runPending();
    EXPECT_EQ(warned_.size(), 1u);
    // After a clean save, the same failure is news again.
    sys.failWhen = IntoSettings;
    (void)files_->WriteSettings();
    loop_.runPending();
    EXPECT_EQ(warned_.size(), 2u);
}

TEST_F(ConfigSaves, AProfileThatFailsIsToldAtOnce) {
    testing::RecordingFileCalls sys;
    sys.failWhen = [](const testing::FileCall& c) {
        return c.op == "rename" && c.to.find("default2.psf") != std::string::npos;
    };
    EXPECT_FALSE(files_->WriteProfile(2));
    ASSERT_EQ(warned_.size(), 1u);
    EXPECT_NE(warned_[0].find("default2.psf"), std::string::npos) << warned_[0];
    EXPECT_FALSE(files_->WriteProfile(2));
    EXPECT_EQ(warned_.size(), 1u);
}

TEST_F(ConfigSaves, AFolderBusyWithAnotherWriterIsNoFailure) {
    {
        auto other = ConfigLock::Acquire(app_->configDir, 0);
        ASSERT_TRUE(other.ok());
        EXPECT_FALSE(files_->WriteProfile(2));
        EXPECT_TRUE(files_->WritesKept());
    }
    loop_.advanceMs(ConfigSync::kRetryMs + 1);
    EXPECT_FALSE(files_->WritesKept());
    EXPECT_TRUE(warned_.empty());
}

}  // namespace
}  // namespace orvane
