#include "app/InstanceChannel.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "base/VirtualEventLoop.h"

namespace orvane {
namespace {

std::filesystem::path freshDir() {
    return test::MakeTempFolder("orvane-instance");
}

TEST(InstanceChannel, ASecondStartActivatesTheFirst) {
    const auto dir = freshDir();
    VirtualEventLoop loop;
    int activations = 0;
    InstanceChannel first(dir);
    auto r1 = first.claim(loop, [&] { ++activations; });
    ASSERT_TRUE(r1.ok());
    EXPECT_EQ(*r1, InstanceChannel::Role::First);

    InstanceChannel second(dir);
    auto r2 = second.claim(loop, [] {});
    ASSERT_TRUE(r2.ok());
    EXPECT_EQ(*r2, InstanceChannel::Role::Second);
    // The request is handed to the first instance's loop, not run on the server thread.
    for (int i = 0; i < 100 && activations == 0; ++i) {
        loop.runPending();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(activations, 1);
    std::filesystem::remove_all(dir);
}

TEST(InstanceChannel, AnEndedInstanceLeavesNothingBehind) {
    const auto dir = freshDir();
    VirtualEventLoop loop;
    {
        InstanceChannel first(dir);
        auto r = first.claim(loop, [] {});
        ASSERT_TRUE(r.ok());
        ASSERT_EQ(*r, InstanceChannel::Role::First);
    }
    InstanceChannel next(dir);
    auto r = next.claim(loop, [] {});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, InstanceChannel::Role::First);
    std::filesystem::remove_all(dir);
}

TEST(InstanceChannel, ALockHolderWithoutSocketIsLeftAlone) {
    // The first instance is still starting: a second one ends without a word.
    const auto dir = freshDir();
    InstanceChannel probe(dir);
    const int fd = ::open(probe.lockPath().c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    VirtualEventLoop loop;
    auto r = probe.claim(loop, [] {});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, InstanceChannel::Role::Silent);
    ::close(fd);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvane
