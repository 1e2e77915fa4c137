#pragma once
// orvanectl runs against a fresh virtual mouse on virtual time, in a temporary folder, with
// every frame traced.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "base/VirtualEventLoop.h"
#include "cli/Session.h"
#include "device/hid/FrameTrace.h"
#include "device/sim/SimTransport.h"
#include "profile/AtomicFile.h"
#include "profile/TextFile.h"
#include "support/TempFolder.h"

namespace orvane::cli {

namespace fs = std::filesystem;

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = test::MakeTempFolder("orvanectl-test");
        // The language files, as every installation has them; without the one chosen each run
        // would start with a warning about it. No texts: the built-in ones stay.
        fs::create_directories(dir / "config");
        TextFileWriter language;
        language.Line(u"[Setting]");
        for (const char* name : {"Lan.txt", "Lan_EN.txt"})
            ASSERT_TRUE(WriteFileAtomically(dir / "config" / name, language.Bytes()).ok());
        hid::FrameTrace::setSink([this](std::string_view line) { trace.emplace_back(line); });
    }
    void TearDown() override {
        hid::FrameTrace::setSink({});
        fs::remove_all(dir);
    }

    // Runs one command line against a fresh virtual mouse, on virtual time.
    int run(std::vector<std::string> argv, const std::string& simulate = "") {
        argv.insert(argv.begin(), {"--app-dir", dir.string(), "--simulate=" + simulate});
        auto args = parseCliArgs(argv);
        EXPECT_TRUE(args.ok());
        if (!args) return -1;
        VirtualEventLoop loop;
        sim::SimTransport* simPtr = nullptr;
        auto options = sim::parseSimOptions(simulate);
        Platform platform{loop,
                          [&loop](const std::function<bool()>& done, int timeoutMs) {
                              for (int t = 0; t < timeoutMs && !done(); ++t) loop.advanceMs(1);
                              return done();
                          },
                          [&]() -> Result<std::unique_ptr<hid::Transport>> {
                              auto t = std::make_unique<sim::SimTransport>(options.value(), &loop);
                              simPtr = t.get();
                              if (prepare) prepare(*t);
                              return std::unique_ptr<hid::Transport>(std::move(t));
                          },
                          {dir / "udev-rules"}};
        platform.environment = environment;
        out.str("");
        err.str("");
        trace.clear();
        Session session(std::move(args.value()), std::move(platform), out, err);
        return session.run();
    }
    std::vector<std::string> sets() const {
        std::vector<std::string> s;
        for (const auto& line : trace) {
            const size_t at = line.find(" SET ");
            if (at != std::string::npos) s.push_back(line.substr(at + 5));
        }
        return s;
    }

    fs::path dir;
    std::function<void(sim::SimTransport&)> prepare;
    EnvironmentLookup environment;  // the locale variables the run sees; none by default
    std::ostringstream out, err;
    std::vector<std::string> trace;
};

}  // namespace orvane::cli
