// The paced sender with writes whose results the test holds back: a stop, an abandon or the
// sender's end while a write is still on its way, and callbacks that stop it.
#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "base/VirtualEventLoop.h"
#include "device/Connection.h"
#include "device/FrameIo.h"
#include "device/PacedSender.h"
#include "device/SettingsEncoder.h"
#include "device/sim/SimTransport.h"

namespace orvane {
namespace {

// Runs the transfers at once but hands their results back only when the test says so.
class HeldResultsLoop : public VirtualEventLoop {
public:
    void offload(std::function<void()> work, std::function<void()> done) override {
        work();
        held.push_back(std::move(done));
    }
    void deliverOldest() {
        auto done = std::move(held.front());
        held.pop_front();
        post(std::move(done));
        runPending();
    }
    std::deque<std::function<void()>> held;
};

class PacedSenderTest : public ::testing::Test {
protected:
    PacedSenderTest() { connection.detect(); }

    // Three polling frames, each noting what became of it.
    FrameSchedule schedule(const std::string& name) {
        FrameSchedule s;
        for (int i = 0; i < 3; ++i) {
            s.send(pollingFrame(uint8_t(1 << i)), [this, name, i](const FrameResult& r) {
                results.push_back(name + std::to_string(i) + (r.reached ? " sent" : " not sent"));
            });
            s.pause(kFramePauseMs);
        }
        return s;
    }
    void run(PacedSender& sender, const std::string& name) {
        sender.run(schedule(name), {}, [this, name](const PacedSender::Report& r) {
            finished.push_back(name + (r.cut ? " cut" : " whole"));
        });
    }

    HeldResultsLoop loop;
    sim::SimTransport sim{{}, &loop};
    Connection connection{sim};
    FrameIo io{connection, loop};
    std::vector<std::string> results;
    std::vector<std::string> finished;
};

TEST_F(PacedSenderTest, AStopWithAWriteInFlightEndsTheScheduleWhenItsResultComesBack) {
    PacedSender sender(io, loop);
    run(sender, "a");
    ASSERT_EQ(loop.held.size(), 1u);
    sender.stop();
    EXPECT_TRUE(sender.running());
    EXPECT_TRUE(finished.empty());
    loop.deliverOldest();
    EXPECT_EQ(results, (std::vector<std::string>{"a0 sent", "a1 not sent", "a2 not sent"}));
    EXPECT_EQ(finished, std::vector<std::string>{"a cut"});
    EXPECT_FALSE(sender.running());
    loop.advanceMs(1000);
    EXPECT_EQ(sim.log().sets(hid::DeviceRole::Wired).size(), 1u);
}

TEST_F(PacedSenderTest, AnAbandonedWritesLateResultIsNotTakenForTheNextRunsFrame) {
    PacedSender sender(io, loop);
    run(sender, "a");
    sender.abandon();
    EXPECT_EQ(results, (std::vector<std::string>{"a0 not sent", "a1 not sent", "a2 not sent"}));
    run(sender, "b");
    ASSERT_EQ(loop.held.size(), 2u);
    loop.deliverOldest();  // a0's
    EXPECT_EQ(results.size(), 3u);
    loop.deliverOldest();  // b0's
    EXPECT_EQ(results.back(), "b0 sent");
    loop.advanceMs(kFramePauseMs);
    loop.deliverOldest();
    loop.advanceMs(kFramePauseMs);
    loop.deliverOldest();
    loop.advanceMs(kFramePauseMs);
    EXPECT_EQ(finished, (std::vector<std::string>{"a cut", "b whole"}));
}

TEST_F(PacedSenderTest, AResultThatOutlivesTheSenderIsDropped) {
    {
        PacedSender sender(io, loop);
        run(sender, "a");
        ASSERT_EQ(loop.held.size(), 1u);
    }
    loop.deliverOldest();  // the sender is gone: nothing may be called (the sanitizers watch)
    EXPECT_TRUE(results.empty());
}

TEST_F(PacedSenderTest, ACallbackThatStopsTheSenderEndsTheRunOnce) {
    PacedSender sender(io, loop);
    FrameSchedule s = schedule("a");
    s.steps()[0].then = [&](const FrameResult& r) {
        results.push_back(std::string("a0 ") + (r.reached ? "sent" : "not sent"));
        sender.stop();  // an unplug handled while the result is taken in
    };
    int progress = 0;
    sender.run(std::move(s), [&](int, int) { ++progress; },
               [&](const PacedSender::Report& r) { finished.push_back(r.cut ? "a cut" : "a whole"); });
    loop.deliverOldest();
    EXPECT_EQ(results, (std::vector<std::string>{"a0 sent", "a1 not sent", "a2 not sent"}));
    EXPECT_EQ(finished, std::vector<std::string>{"a cut"});
    EXPECT_EQ(progress, 0);
    loop.advanceMs(1000);
    EXPECT_TRUE(loop.held.empty());
}

TEST_F(PacedSenderTest, AFinishedRunMayStartTheNextFromItsCallback) {
    PacedSender sender(io, loop);
    sender.run(schedule("a"), {}, [&](const PacedSender::Report&) {
        finished.push_back("a");
        run(sender, "b");  // the next job's pass starts from the last one's end
    });
    sender.stop();
    loop.deliverOldest();
    EXPECT_EQ(finished, std::vector<std::string>{"a"});
    EXPECT_EQ(results, (std::vector<std::string>{"a0 sent", "a1 not sent", "a2 not sent"}));
    EXPECT_TRUE(sender.running());
    ASSERT_EQ(loop.held.size(), 1u);
    loop.deliverOldest();
    EXPECT_EQ(results.back(), "b0 sent");
}

}  // namespace
}  // namespace orvane
