// --simulate without --app-dir works on its own folder and never on the user's real files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "base/VirtualEventLoop.h"
#include "cli/Session.h"
#include "device/sim/SimTransport.h"
#include "profile/AtomicFile.h"
#include "support/TempFolder.h"

namespace orvane::cli {
namespace {

namespace fs = std::filesystem;

class SimulationFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = test::MakeTempFolder("orvanectl-simfolder");
        SaveEnv("XDG_CONFIG_HOME");
        SaveEnv("ORVANE_APP_DIR");
        ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        ::unsetenv("ORVANE_APP_DIR");
    }
    void TearDown() override {
        for (const auto& [name, value] : savedEnv) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        fs::remove_all(home);
    }
    void SaveEnv(const char* name) {
        const char* v = std::getenv(name);
        savedEnv[name] = v ? std::optional<std::string>(v) : std::nullopt;
    }

    int run(const std::vector<std::string>& argv) {
        auto args = parseCliArgs(argv);
        EXPECT_TRUE(args.ok());
        if (!args) return -1;
        VirtualEventLoop loop;
        const std::string simulate = args->simulate.value_or("");
        Platform platform{loop,
                          [&loop](const std::function<bool()>& done, int timeoutMs) {
                              for (int t = 0; t < timeoutMs && !done(); ++t) loop.advanceMs(1);
                              return done();
                          },
                          [&]() -> Result<std::unique_ptr<hid::Transport>> {
                              auto options = sim::parseSimOptions(simulate);
                              if (!options) return options.error();
                              return std::unique_ptr<hid::Transport>(
                                  std::make_unique<sim::SimTransport>(options.value(), &loop));
                          }};
        out.str("");
        err.str("");
        Session session(std::move(args.value()), std::move(platform), out, err);
        return session.run();
    }

    std::map<std::string, std::string> Snapshot(const fs::path& folder) {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(folder)) {
            if (!e.is_regular_file()) continue;
            auto bytes = ReadFileBytes(e.path());
            files[fs::relative(e.path(), folder).string()] = bytes ? *bytes : "<unreadable>";
        }
        return files;
    }

    fs::path home;
    std::map<std::string, std::optional<std::string>> savedEnv;
    std::ostringstream out, err;
};

TEST_F(SimulationFolderTest, TheVirtualMouseNeverChangesTheRealFiles) {
    // The real per-user files, as a first run without a mouse leaves them.
    ASSERT_EQ(run({"profile", "show"}), kExitOk) << err.str();
    const fs::path real = home / "orvane";
    ASSERT_TRUE(fs::exists(real / "config.ini"));
    const auto before = Snapshot(real);

    // Another sensor and a change: both would rewrite profiles and settings.
    ASSERT_EQ(run({"--simulate=sensor=0x3335", "set", "polling", "500"}), kExitOk) << err.str();
    ASSERT_EQ(run({"--simulate", "reset", "--yes"}), kExitOk) << err.str();

    auto after = Snapshot(real);
    for (auto it = after.begin(); it != after.end();) {
        it = it->first.rfind("simulation/", 0) == 0 ? after.erase(it) : std::next(it);
    }
    EXPECT_EQ(after, before);
    const auto sim = Snapshot(real / "simulation");
    ASSERT_TRUE(sim.count("config.ini"));
    ASSERT_TRUE(sim.count("default0.psf"));
}

TEST_F(SimulationFolderTest, AFolderNamedOnTheCommandLineIsUsedAsItIs) {
    const fs::path mine = home / "mine";
    ASSERT_EQ(run({"--app-dir", mine.string(), "--simulate", "set", "polling", "500"}), kExitOk) << err.str();
    EXPECT_TRUE(fs::exists(mine / "config" / "config.ini"));
    EXPECT_FALSE(fs::exists(mine / "config" / "simulation"));
    EXPECT_FALSE(fs::exists(home / "orvane"));
}

}  // namespace
}  // namespace orvane::cli
