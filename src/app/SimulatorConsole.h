#pragma once
// The virtual mouse of --simulate driven from a file descriptor (standard input), with the
// commands orvane-virtual-mouse reads: "dpi 2" or "cycle-dpi" press its DPI button, "polling 4"
// its polling button, and "sleep", "battery 15", "unplug wired" ... change its condition, so a
// demo or a test can do with the window's own mouse what a user does with a real one.
#include <memory>
#include <string>
#include <thread>

#include "base/EventLoop.h"
#include "device/sim/SimTransport.h"

namespace orvane {

class SimulatorConsole {
public:
    // Reads lines from fd on a thread of its own and applies each on the loop's thread.
    SimulatorConsole(EventLoop& loop, sim::SimTransport& mouse, int fd);
    ~SimulatorConsole();
    SimulatorConsole(const SimulatorConsole&) = delete;
    SimulatorConsole& operator=(const SimulatorConsole&) = delete;

    // One command line; an empty text when it was applied, else what was wrong with it.
    static std::string Apply(sim::SimTransport& mouse, const std::string& line);

private:
    void Read(int fd);

    EventLoop& loop_;
    sim::SimTransport& mouse_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    int stop_[2] = {-1, -1};
    std::thread reader_;
};

}  // namespace orvane
