// The virtual mouse of --simulate-input: commands read from a descriptor press its buttons, on
// the loop's thread, and what a command cannot do is said, not done.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "app/SimulatorConsole.h"
#include "base/VirtualEventLoop.h"

namespace orvane {
namespace {

TEST(SimulatorConsole, CommandsPressTheButtonsAndChangeTheMouse) {
    sim::SimTransport mouse;
    EXPECT_EQ(SimulatorConsole::Apply(mouse, "dpi 3"), "");
    EXPECT_EQ(mouse.memory().dpiLevel, 2);
    EXPECT_EQ(SimulatorConsole::Apply(mouse, "cycle-dpi"), "");
    EXPECT_EQ(mouse.memory().dpiLevel, 3);
    EXPECT_EQ(SimulatorConsole::Apply(mouse, "polling 4"), "");
    EXPECT_EQ(mouse.memory().pollingInterval, 4);
    EXPECT_EQ(SimulatorConsole::Apply(mouse, "battery 15"), "");
    EXPECT_EQ(SimulatorConsole::Apply(mouse, "charging 1"), "");
    EXPECT_EQ(mouse.condition().battery, 15);
    EXPECT_EQ(mouse.condition().chargeState, 1);
    EXPECT_EQ(SimulatorConsole::Apply(mouse, "sleep"), "");
    EXPECT_FALSE(mouse.condition().online);
    EXPECT_EQ(SimulatorConsole::Apply(mouse, "unplug wired"), "");
    EXPECT_FALSE(mouse.plugged(sim::Link::Wired));
    EXPECT_EQ(SimulatorConsole::Apply(mouse, ""), "");
    EXPECT_NE(SimulatorConsole::Apply(mouse, "dpi 5"), "");
    EXPECT_NE(SimulatorConsole::Apply(mouse, "fly"), "");
    EXPECT_NE(SimulatorConsole::Apply(mouse, "quit"), "");  // the window's exit is its own
}

TEST(SimulatorConsole, LinesReadFromTheDescriptorAreAppliedOnTheLoop) {
    VirtualEventLoop loop;
    sim::SimTransport mouse;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    {
        SimulatorConsole console(loop, mouse, fds[0]);
        const char text[] = "dpi 2\npolling 8\ndpi";
        ASSERT_EQ(::write(fds[1], text, sizeof text - 1), ssize_t(sizeof text - 1));
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (mouse.memory().pollingInterval != 8 && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            loop.runPending();
        }
        EXPECT_EQ(mouse.memory().dpiLevel, 1);
        EXPECT_EQ(mouse.memory().pollingInterval, 8);
        // "dpi 3" completed later: a line counts once its end has come.
        ASSERT_EQ(::write(fds[1], " 3\n", 3), 3);
        while (mouse.memory().dpiLevel != 2 && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            loop.runPending();
        }
        EXPECT_EQ(mouse.memory().dpiLevel, 2);
        // Destroyed while the other end is still open: the reader stops without waiting for it.
    }
    ::close(fds[0]);
    ::close(fds[1]);
}

}  // namespace
}  // namespace orvane
