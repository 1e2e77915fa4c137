#include <gtest/gtest.h>

#include <set>

#include "app/AppOptions.h"
#include "app/MouseSettingsLauncher.h"
#include "app/SupportKeySequence.h"

namespace orvane {
namespace {

TEST(AppOptions, TakesValuesInBothSpellings) {
    auto o = parseAppOptions({"--simulate=battery=57,charging", "--app-dir", "/x", "--screenshot=/tmp/a.png"});
    ASSERT_TRUE(o.ok());
    EXPECT_TRUE(o->simulate);
    EXPECT_EQ(o->simulateOptions, "battery=57,charging");
    EXPECT_EQ(o->appDir, "/x");
    EXPECT_EQ(o->screenshot, "/tmp/a.png");
    auto plain = parseAppOptions({"--simulate"});
    ASSERT_TRUE(plain.ok());
    EXPECT_TRUE(plain->simulate);
    EXPECT_TRUE(plain->simulateOptions.empty());
}

TEST(AppOptions, RefusesUnknownOptionsAndMissingValues) {
    EXPECT_FALSE(parseAppOptions({"--simulat"}).ok());
    EXPECT_FALSE(parseAppOptions({"--app-dir"}).ok());
    EXPECT_FALSE(parseAppOptions({"--screenshot="}).ok());
}

TEST(MouseSettings, PrefersTheSessionsOwnDesktop) {
    const std::set<std::string> installed = {"/usr/bin/gnome-control-center", "/usr/bin/kcmshell6"};
    auto exists = [&](const std::string& p) { return installed.count(p) > 0; };
    auto kde = findMouseSettingsCommand("/usr/local/bin:/usr/bin", "KDE", exists);
    ASSERT_TRUE(kde);
    EXPECT_EQ(kde->argv, (std::vector<std::string>{"/usr/bin/kcmshell6", "kcm_mouse"}));
    auto other = findMouseSettingsCommand("/usr/local/bin:/usr/bin", "ubuntu:XYZ", exists);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->argv, (std::vector<std::string>{"/usr/bin/gnome-control-center", "mouse"}));
}

TEST(MouseSettings, FindsNothingWhenNoneIsInstalled) {
    EXPECT_FALSE(findMouseSettingsCommand("/usr/bin:/bin", "GNOME", [](const std::string&) { return false; }));
    EXPECT_FALSE(findMouseSettingsCommand("", "", [](const std::string&) { return true; }));
}

TEST(MouseSettings, LaunchReportsAProgramThatCannotStart) {
    EXPECT_FALSE(launchDetached({"/nonexistent/settings"}).ok());
    EXPECT_TRUE(launchDetached({"/bin/true"}).ok());
}

TEST(SupportKeySequence, TenLettersInOrderCompleteIt) {
    SupportKeySequence seq;
    int completed = 0;
    for (char c : std::string("ORVANEHELP")) completed += seq.feed(uint32_t(c));
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(seq.matched(), 0u);
}

TEST(SupportKeySequence, AnyOtherKeyStartsAgain) {
    SupportKeySequence seq;
    for (char c : std::string("ORVANX")) EXPECT_FALSE(seq.feed(uint32_t(c)));
    EXPECT_EQ(seq.matched(), 0u);
    // A wrong key that is the first letter counts as a new start.
    for (char c : std::string("ORVO")) seq.feed(uint32_t(c));
    EXPECT_EQ(seq.matched(), 1u);
    bool done = false;
    for (char c : std::string("RVANEHELP")) done = seq.feed(uint32_t(c));
    EXPECT_TRUE(done);
}

}  // namespace
}  // namespace orvane
