// What the window writes into config.ini outside the deferred save.
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

}  // namespace
}  // namespace orvane::test
