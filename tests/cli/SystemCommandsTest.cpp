// orvanectl's udev rule, the access message for a mouse the user may not open, and the folder
// that status reports.
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "SessionFixture.h"
#include "cli/UdevInstall.h"
#include "device/AccessAdvice.h"
#include "profile/AtomicFile.h"
#include "support/TempFolder.h"

namespace orvane::cli {
namespace {

TEST_F(SessionTest, UdevRulePrintsTheShippedRuleAsItIs) {
    ASSERT_EQ(run({"udev-rule"}), kExitOk) << err.str();
    std::ifstream shipped(std::string(ORVANE_SOURCE_DIR) + "/data/udev/70-orvane.rules");
    std::stringstream text;
    text << shipped.rdbuf();
    EXPECT_EQ(out.str(), text.str());
    ASSERT_EQ(run({"--json", "udev-rule"}), kExitOk);
    EXPECT_NE(out.str().find("\"file\": \"/etc/udev/rules.d/70-orvane.rules\""), std::string::npos);
    EXPECT_EQ(run({"udev-rule", "--now"}), kExitUsage);
}

TEST_F(SessionTest, AMouseThatMayNotBeOpenedSaysHowToAllowItAndFails) {
    prepare = [](sim::SimTransport& t) {
        for (auto link : {sim::Link::Wired, sim::Link::Receiver})
            t.injectFault(link, sim::Fault::OpenFeatureFails, sim::kFaultAlways);
    };
    for (const char* command : {"status", "devices"}) {
        EXPECT_EQ(run({command}), kExitFailure) << command;
        const std::string said = err.str();
        EXPECT_NE(said.find("permission denied"), std::string::npos) << said;
        const AccessAdvice advice = AdviseOnDeniedAccess("x", {dir / "udev-rules"});
        EXPECT_NE(said.find(advice.command), std::string::npos) << said;
    }
    EXPECT_EQ(run({"set", "polling", "500"}), kExitFailure);
    EXPECT_NE(out.str().find("udev-rule --install"), std::string::npos) << out.str();
    // With the rule in the folders udev reads (the test's own), the advice is to apply it.
    fs::create_directories(dir / "udev-rules");
    std::ofstream(dir / "udev-rules" / kUdevRuleName) << UdevRuleText();
    EXPECT_EQ(run({"status"}), kExitFailure);
    EXPECT_NE(err.str().find("udevadm trigger"), std::string::npos) << err.str();
}

TEST_F(SessionTest, StatusNamesTheFolderInUse) {
    ASSERT_EQ(run({"status"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("files:       " + (dir / "config").string() + " (from --app-dir)"),
              std::string::npos)
        << out.str();
    ASSERT_EQ(run({"--json", "status"}), kExitOk);
    EXPECT_NE(out.str().find("\"path\": \"" + (dir / "config").string() + "\""), std::string::npos)
        << out.str();
    // Also with no mouse to report: the failure comes with the folder.
    prepare = [](sim::SimTransport& t) {
        for (auto link : {sim::Link::Wired, sim::Link::Receiver}) t.unplug(link);
    };
    ASSERT_EQ(run({"status"}), kExitFailure);
    EXPECT_NE(err.str().find("no mouse found"), std::string::npos) << err.str();
    EXPECT_NE(out.str().find("files:       " + (dir / "config").string()), std::string::npos) << out.str();
    ASSERT_EQ(run({"status", "--json"}), kExitFailure);
    EXPECT_NE(out.str().find("\"ok\": false"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"path\": \"" + (dir / "config").string() + "\""), std::string::npos)
        << out.str();
}

TEST(UdevInstall, WritesTheRuleAndHasUdevApplyIt) {
    const test::TempFolder folder("orvane-udev");
    const fs::path& dir = folder.path();
    // A udevadm of our own records how it was called.
    fs::create_directories(dir / "bin");
    {
        std::ofstream fake(dir / "bin" / "udevadm");
        fake << "#!/bin/sh\necho \"$@\" >> '" << (dir / "calls").string() << "'\n";
    }
    ::chmod((dir / "bin" / "udevadm").c_str(), 0755);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", ((dir / "bin").string() + ":" + oldPath).c_str(), 1);
    auto done = InstallUdevRule(dir / "rules.d");
    ::setenv("PATH", oldPath.c_str(), 1);
    ASSERT_TRUE(done.ok()) << done.error().message();
    EXPECT_TRUE(done->reloaded);
    EXPECT_TRUE(done->triggered);
    EXPECT_EQ(ReadFileBytes(dir / "rules.d" / "70-orvane.rules").value(), UdevRuleText());
    EXPECT_EQ(ReadFileBytes(dir / "calls").value(),
              "control --reload-rules\ntrigger --subsystem-match=hidraw --action=change\n");
    EXPECT_TRUE(InstalledUdevRule({dir / "none", dir / "rules.d"}).has_value());
}

}  // namespace
}  // namespace orvane::cli
