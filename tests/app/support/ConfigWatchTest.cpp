// How the window learns of other programs' changes to its folder: with the kernel's watch it
// looks only when told (and once a second only for profiles kept elsewhere), a look that finds
// the folder busy is made again, and a watch that ends or cannot start leaves the once-a-second
// look. The watch is the test's: it tells when the test says so.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/ConfigSync.h"
#include "base/VirtualEventLoop.h"
#include "profile/ConfigLock.h"
#include "profile/Storage.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {

class ConfigWatch : public ::testing::Test {
protected:
    void Start(bool watchStarts = true) {
        ConfigSync::FolderWatcher watcher = [this, watchStarts](const std::filesystem::path& folder,
                                                                FolderWatch::OnChange onChange)
            -> Result<std::unique_ptr<FolderWatch>> {
            watchedFolder_ = folder;
            tell_ = std::move(onChange);
            // A real watch on the folder stands for the test's: only tell_ reports.
            if (!watchStarts) return makeError(ENOSPC, "watch " + folder.string());
            return FolderWatch::Start(dir_.path() / "idle", [](bool) {});
        };
        std::filesystem::create_directories(dir_ / "config");
        std::filesystem::create_directories(dir_ / "idle");
        app_ = std::make_unique<AppData>(dir_.path());
        files_ = std::make_unique<ConfigSync>(
            *app_, loop_, [this](const SharedConfig::Merged&) { ++merged_; },
            [this](const std::string& w) { warnings_.push_back(w); }, ConfigSync::SettingsWriter{}, watcher);
        files_->Load([this] { (void)LoadSettingsAndProfiles(*app_); });
    }
    void TearDown() override { files_.reset(); }

    // orvanectl's side: another AppData on the same folder saves a changed profile.
    void AnotherProgramChangesAProfile() {
        AppData other(dir_.path());
        (void)LoadSettingsAndProfiles(other);
        other.profiles[0].XYSetting[0] = uint16_t(other.profiles[0].XYSetting[0] + 1);
        ASSERT_TRUE(SaveProfile(other, 0).ok());
    }
    // What the watch's thread does: post to the loop.
    void Tell(bool lost = false) {
        ASSERT_TRUE(tell_);
        tell_(lost);
    }

    test::TempFolder dir_{"orvane-configwatch"};
    VirtualEventLoop loop_;
    std::unique_ptr<AppData> app_;
    std::unique_ptr<ConfigSync> files_;
    std::filesystem::path watchedFolder_;
    FolderWatch::OnChange tell_;
    int merged_ = 0;
    std::vector<std::string> warnings_;
};

TEST_F(ConfigWatch, WithTheWatchTheFolderIsLookedAtOnlyWhenTheKernelTells) {
    Start();
    ASSERT_TRUE(files_->Watching());
    EXPECT_EQ(watchedFolder_, app_->configDir);
    AnotherProgramChangesAProfile();
    loop_.advanceMs(10 * ConfigSync::kCheckMs);
    EXPECT_EQ(merged_, 0) << "no timer looks while the watch covers every file";
    Tell();
    Tell();  // a writer's burst of events gives one look
    loop_.advanceMs(ConfigSync::kSettleMs - 1);
    EXPECT_EQ(merged_, 0);
    loop_.advanceMs(1);
    EXPECT_EQ(merged_, 1);
    EXPECT_TRUE(warnings_.empty());
}

TEST_F(ConfigWatch, ALookThatFindsTheFolderBusyIsMadeAgain) {
    Start();
    AnotherProgramChangesAProfile();
    {
        auto busy = ConfigLock::Acquire(app_->configDir, 0);  // orvanectl still at work
        ASSERT_TRUE(busy.ok());
        Tell();
        loop_.advanceMs(ConfigSync::kSettleMs);
        EXPECT_EQ(merged_, 0);
    }
    loop_.advanceMs(ConfigSync::kRetryMs);
    EXPECT_EQ(merged_, 1);
}

TEST_F(ConfigWatch, AWatchThatEndsOrCannotStartLeavesTheLookOnceASecond) {
    Start();
    Tell(/*lost=*/true);
    loop_.runPending();
    EXPECT_FALSE(files_->Watching());
    AnotherProgramChangesAProfile();
    loop_.advanceMs(ConfigSync::kCheckMs);
    EXPECT_EQ(merged_, 1);

    files_.reset();
    merged_ = 0;
    Start(/*watchStarts=*/false);
    EXPECT_FALSE(files_->Watching());
    ASSERT_EQ(warnings_.size(), 1u);
    EXPECT_NE(warnings_[0].find("once a second"), std::string::npos) << warnings_[0];
    AnotherProgramChangesAProfile();
    loop_.advanceMs(ConfigSync::kCheckMs);
    EXPECT_EQ(merged_, 1);
}

TEST_F(ConfigWatch, AProfileKeptOutsideTheFolderIsLookedAtOnceASecond) {
    Start();
    // The window keeps profile 1 in another folder, where the watch does not reach.
    std::filesystem::create_directories(dir_ / "elsewhere");
    app_->settings.SetValue(SettingKey::ProfileSlot1URL, fromUtf8((dir_ / "elsewhere" / "mine.psf").string()));
    ASSERT_TRUE(SaveProfile(*app_, 0).ok());
    files_->WriteSettings();
    loop_.runPending();
    AnotherProgramChangesAProfile();
    loop_.advanceMs(ConfigSync::kCheckMs);
    EXPECT_EQ(merged_, 1);
}

}  // namespace
}  // namespace orvane
