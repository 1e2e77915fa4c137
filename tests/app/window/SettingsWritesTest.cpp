// What the window writes into config.ini outside the deferred save, and what it says about the
// files it could not use at start-up.
#include "MainWindowFixture.h"
#include "profile/SettingsFile.h"

namespace orvane::test {
namespace {

// A tab switch is saved only by the next deferred save; a settings write in between (here the
// mouse reporting another sensor) must still store the profile the window shows.
TEST_F(MainWindowTest, ASettingsWriteStoresTheProfileTheWindowShows) {
    WindowSetup setup;
    setup.needPassword = 0;
    Start(setup);
    dlg().SendMessage(mainwnd::kFirstTab + 2, 0, ui::kCodeClicked);
    ASSERT_EQ(app_->currentProfile, 2);
    sim_->setSensorCode(0x35);
    link().requestStatus();
    Settle();
    ASSERT_EQ(app_->SensorId, 0x3335);
    auto saved = ReadSettingsFile(dir_ / "config" / "config.ini", Settings{});
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved->GetCurrentProfile(), 2);
    EXPECT_EQ(saved->GetValue(SettingKey::Sensor), u"0x3335");
}

// A damaged macro library empties the library the window shows: the user hears why, on
// standard error, once.
TEST_F(MainWindowTest, ADamagedLibraryIsToldOnStandardErrorOnce) {
    WindowSetup setup;
    setup.create = false;
    Start(setup);
    const std::filesystem::path library = dir_ / "config" / "MacroLibraryFile.mlf";
    std::ofstream(library, std::ios::binary) << "not a library";
    ::testing::internal::CaptureStderr();
    const bool created = dlg().Create();
    Settle();
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(created);
    const std::string line = "orvane: warning: " + library.string();
    const size_t first = said.find(line);
    ASSERT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find(line, first + 1), std::string::npos) << said;
    EXPECT_EQ(app_->library.SetCount(), 0u);
}

}  // namespace
}  // namespace orvane::test
