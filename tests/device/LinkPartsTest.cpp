// The link's collaborators on their own, for what the link's tests do not reach: the save
// timer's coalescing, the choice of the connection notice and the window showing itself.
#include "LinkFixture.h"
#include "device/ConnectionNotices.h"
#include "device/MousePresence.h"
#include "device/SaveScheduler.h"

namespace orvane {
namespace {

using test::RecordingHost;

TEST(SaveSchedulerTest, PassesInARowGiveOneSaveTenSecondsAfterTheLast) {
    VirtualEventLoop loop;
    RecordingHost host;
    SaveScheduler saves(loop, host);
    saves.afterPass();
    loop.advanceMs(4000);
    saves.afterPass();
    loop.advanceMs(4000);
    saves.afterPass();
    EXPECT_TRUE(saves.pending());
    loop.advanceMs(SaveScheduler::kDelayMs - 1);
    EXPECT_EQ(host.saves, 0);
    loop.advanceMs(1);
    EXPECT_EQ(host.saves, 1);
    EXPECT_FALSE(saves.pending());
    loop.advanceMs(3 * SaveScheduler::kDelayMs);
    EXPECT_EQ(host.saves, 1);
}

// A rate reported through the cable is saved by the timer, but is not a pending save that the
// end of the program writes; one through the receiver is. A save written at the end is not
// written again by the timer.
TEST(SaveSchedulerTest, OnlyAReportThroughTheReceiverIsPendingForShutdown) {
    VirtualEventLoop loop;
    RecordingHost host;
    SaveScheduler saves(loop, host);
    saves.afterReport(false);
    EXPECT_FALSE(saves.pending());
    saves.writePending();
    EXPECT_EQ(host.saves, 0);
    loop.advanceMs(SaveScheduler::kDelayMs);
    EXPECT_EQ(host.saves, 1);

    saves.afterReport(true);
    EXPECT_TRUE(saves.pending());
    loop.advanceMs(SaveScheduler::kDelayMs / 2);
    saves.writePending();
    EXPECT_EQ(host.saves, 2);
    EXPECT_FALSE(saves.pending());
    loop.advanceMs(SaveScheduler::kDelayMs);
    EXPECT_EQ(host.saves, 2);
}

class NoticeTest : public ::testing::Test {
protected:
    explicit NoticeTest(const std::string& options = {}) : sim(test::simOptions(options), &loop) {
        connection.detect();
    }

    std::vector<int> noticesAfterTheDelay() {
        host.notices.clear();
        notices.arm();
        loop.advanceMs(ConnectionNotices::kDelayMs);
        return host.notices;
    }

    VirtualEventLoop loop;
    sim::SimTransport sim;
    RecordingHost host;
    Connection connection{sim};
    MousePresence presence{host};
    ConnectionNotices notices{loop, host, connection, presence};
};

// With the cable open the mouse is reachable, whatever the last status said.
TEST_F(NoticeTest, NothingIsSaidWhileTheCableIsOpen) {
    ASSERT_TRUE(connection.isOpen(hid::DeviceRole::Wired));
    EXPECT_FALSE(presence.mouseOnline());
    EXPECT_TRUE(noticesAfterTheDelay().empty());
    EXPECT_TRUE(host.accessProblems.empty());
}

class ReceiverNoticeTest : public NoticeTest {
protected:
    ReceiverNoticeTest() : NoticeTest("receiver-only") {}
};

// Behind the receiver it depends on the mouse, as the status says it when the notice is due.
TEST_F(ReceiverNoticeTest, TheMouseBehindTheReceiverIsAsleepOnlyWhenTheStatusSaysSoAtTheTime) {
    ASSERT_TRUE(connection.isOpen(hid::DeviceRole::Receiver));
    presence.statusSaid(true);
    EXPECT_TRUE(noticesAfterTheDelay().empty());

    host.notices.clear();
    notices.arm();
    loop.advanceMs(ConnectionNotices::kDelayMs / 2);
    presence.statusSaid(false);
    loop.advanceMs(ConnectionNotices::kDelayMs / 2);
    EXPECT_EQ(host.notices, std::vector<int>{ConnectionNotices::kMouseAsleep});
    // One notice an arming.
    loop.advanceMs(10 * ConnectionNotices::kDelayMs);
    EXPECT_EQ(host.notices.size(), 1u);
}

// A window the mouse brought up hides when the mouse goes; one that was up without it (no
// NeedPassword) stays, and the link stays active in both.
TEST(MousePresenceTest, OnlyAWindowTheMouseBroughtUpHidesWhenTheMouseGoes) {
    RecordingHost host;
    MousePresence presence(host);
    presence.start(/*needPassword=*/true);
    presence.statusSaid(false);
    EXPECT_FALSE(presence.active());
    EXPECT_TRUE(host.calls.empty());
    presence.statusSaid(true);
    EXPECT_TRUE(presence.active());
    EXPECT_EQ(host.calls, std::vector<std::string>{"show"});
    presence.statusSaid(false);
    EXPECT_TRUE(presence.active());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"show", "hide"}));

    RecordingHost openHost;
    MousePresence open(openHost);
    open.start(/*needPassword=*/false);
    EXPECT_TRUE(open.active());
    open.statusSaid(true);
    open.statusSaid(false);
    EXPECT_TRUE(openHost.calls.empty());
}

}  // namespace
}  // namespace orvane
