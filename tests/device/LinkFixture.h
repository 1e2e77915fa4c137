#pragma once
// A device link on virtual time against the virtual mouse, with a host that records what a
// window would have been asked to do.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "FrameBytes.h"
#include "base/VirtualEventLoop.h"
#include "device/DeviceLink.h"
#include "device/sim/SimTransport.h"

namespace orvane::test {

struct RecordingHost : LinkHost {
    std::vector<std::string> calls;
    std::vector<BatteryView> battery;
    std::vector<int> notices;
    std::vector<std::string> accessProblems;
    bool confirmReset = true;
    int settingsWrites = 0;
    bool shown = true;  // the battery gauge is on screen
    int saves = 0;

    void refreshPages() override { calls.push_back("refresh"); }
    void dpiLevelChangedByMouse(int level) override { calls.push_back("dpi level " + std::to_string(level)); }
    void showWindow() override { calls.push_back("show"); }
    void hideWindow() override { calls.push_back("hide"); }
    void showProgress() override { calls.push_back("progress"); }
    void showConnectionNotice(int entry) override { notices.push_back(entry); }
    void showAccessProblem(const std::string& what) override { accessProblems.push_back(what); }
    void updateBattery(const BatteryView& v) override { battery.push_back(v); }
    bool batteryShown() const override { return shown; }
    void sensorChanged(bool flag, int steps) override {
        calls.push_back("sensor " + std::to_string(flag) + " " + std::to_string(steps));
    }
    bool confirmFactoryReset() override { return confirmReset; }
    void lastDeviceRemoved() override { calls.push_back("quit"); }
    bool writeSettings() override {
        ++settingsWrites;
        return true;
    }
    bool writeProfile(int index) override {
        profileWrites.push_back(index);
        return true;
    }
    std::vector<int> profileWrites;
    void saveAll() override { ++saves; }
    void passFinished(const PassReport& report) override { passes.push_back(report); }
    std::vector<PassReport> passes;
    int count(const std::string& what) const { return int(std::count(calls.begin(), calls.end(), what)); }
};

inline constexpr uint32_t kVirtualMouseMacId = 0x5A3C91;  // the virtual mouse's own

inline sim::SimOptions simOptions(const std::string& text = {}) {
    auto parsed = sim::parseSimOptions(text);
    EXPECT_TRUE(parsed.ok());
    return parsed.ok() ? parsed.value() : sim::SimOptions{};
}

class LinkTest : public ::testing::Test {
protected:
    explicit LinkTest(const std::string& options = {}) : sim(simOptions(options), &loop) {
        app.settings.ResetToDefaults("/nonexistent");
        // The virtual mouse is the one these settings last configured; tests of a new mouse say so.
        app.settings.SetMacId(kVirtualMouseMacId);
        app.SensorId = 0x3370;
        app.language.SetText(34, u"Disabled");
        app.language.SetText(190, u"Macro:");
        for (int i = 0; i < kProfileCount; ++i) app.ResetProfileToDefaults(i);
    }

    // Starts the link and lets the connection's own pass run.
    void startAndSettle() {
        link.start();
        loop.advanceMs(DeviceLink::kSyncDelayMs);
        settle();
        sim.log().clear();
    }
    // Moves virtual time on, timer by timer, until the link has no traffic running, waiting or
    // armed.
    void settle() {
        ASSERT_TRUE(loop.runUntil([&] { return link.idle() && !link.syncArmed(); }, 600000));
    }
    // One pass, now, to its end.
    void sync() {
        link.syncToDevice();
        settle();
    }
    bool factoryReset() {
        const bool confirmed = link.factoryReset();
        settle();
        return confirmed;
    }
    // Waits (in real time) for work that reader threads post to the loop.
    bool pumpUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 2000 && !done(); ++i) {
            loop.runPending();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        loop.runPending();
        return done();
    }
    std::vector<std::string> sets(hid::DeviceRole role) {
        std::vector<std::string> out;
        for (const auto& s : sim.log().sets(role)) out.push_back(hexOf(s.data(), 11));
        return out;
    }
    Profile& profile() { return app.Current(); }

    VirtualEventLoop loop;
    sim::SimTransport sim;
    AppData app;
    RecordingHost host;
    DeviceLink link{app, loop, host, sim};
};

}  // namespace orvane::test
