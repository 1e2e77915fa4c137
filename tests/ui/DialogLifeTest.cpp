// Modal runs, messages, timers and keys of the dialog host.
#include <gtest/gtest.h>

#include <thread>

#include "TestDialog.h"

namespace orvane::ui {
namespace {

using platform::FakePlatform;
using platform::FakeWindow;
using test::Message;
using test::TestDialog;

TEST(DialogLife, ModalRunReturnsTheResultGivenByAHandler) {
    FakePlatform platform;
    TestDialog dlg(platform);
    dlg.onMessage = [&](uint32_t msg, uintptr_t, intptr_t) -> intptr_t {
        if (msg == 5000) dlg.EndDialog(42);
        return 7;
    };
    platform::Window* seen = nullptr;
    dlg.onCreate = [&](TestDialog& d) {
        d.fake()->onModal = [&](FakeWindow& w) {
            seen = &w;
            EXPECT_EQ(d.SendMessage(5000), 7);
        };
    };
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_NE(seen, nullptr);
    EXPECT_FALSE(dlg.IsWindow());
}

TEST(DialogLife, EscapeCancelsAndEnterConfirms) {
    FakePlatform platform;
    TestDialog dlg(platform);
    dlg.onCreate = [&](TestDialog& d) { d.fake()->onModal = [](FakeWindow& w) { w.key(platform::kVkEscape); }; };
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
    dlg.onCreate = [&](TestDialog& d) { d.fake()->onModal = [](FakeWindow& w) { w.key(platform::kVkReturn); }; };
    EXPECT_EQ(dlg.DoModal(), kIdOk);
}

TEST(DialogLife, EndingDuringInitialisationSkipsTheModalRun) {
    FakePlatform platform;
    TestDialog dlg(platform);
    bool ran = false;
    dlg.onCreate = [&](TestDialog& d) {
        d.fake()->onModal = [&](FakeWindow&) { ran = true; };
        d.EndDialog(3);
    };
    EXPECT_EQ(dlg.DoModal(), 3);
    EXPECT_FALSE(ran);
}

TEST(DialogLife, CloseRequestCancelsAModelessDialog) {
    FakePlatform platform;
    TestDialog dlg(platform);
    ASSERT_TRUE(dlg.Create());
    dlg.PostMessage(kMsgClose);
    EXPECT_TRUE(dlg.IsWindow());
    platform.clock().runPending();
    EXPECT_FALSE(dlg.IsWindow());
}

TEST(DialogLife, PostedMessagesFromOtherThreadsArriveInOrderOnTheLoop) {
    FakePlatform platform;
    TestDialog dlg(platform);
    ASSERT_TRUE(dlg.Create());
    std::thread t([&] {
        for (uintptr_t i = 0; i < 3; ++i) dlg.PostMessage(6000, i, 0);
    });
    t.join();
    EXPECT_TRUE(dlg.messages.empty());
    platform.clock().runPending();
    EXPECT_EQ(dlg.messages, (std::vector<Message>{{6000, 0, 0}, {6000, 1, 0}, {6000, 2, 0}}));
}

// Counts what reaches any dialog of its kind in a counter that outlives them, so a message or
// timer that reached a destroyed one shows (and AddressSanitizer names the freed dialog).
class CountingDialog : public TestDialog {
public:
    CountingDialog(platform::Platform& p, int& reached) : TestDialog(p), reached_(reached) {}
    intptr_t OnMessage(uint32_t msg, uintptr_t w, intptr_t l) override {
        if (msg == 6000) ++reached_;
        return TestDialog::OnMessage(msg, w, l);
    }
    void OnTimer(int id) override {
        ++reached_;
        TestDialog::OnTimer(id);
    }

private:
    int& reached_;
};

TEST(DialogLife, PostedMessagesToADestroyedDialogAreDropped) {
    FakePlatform platform;
    int reached = 0;
    {
        CountingDialog dlg(platform, reached);
        ASSERT_TRUE(dlg.Create());
        dlg.PostMessage(6000);
    }
    platform.clock().runPending();
    EXPECT_EQ(reached, 0);
    // The same message to a dialog that lives arrives: the count above can see one.
    CountingDialog alive(platform, reached);
    ASSERT_TRUE(alive.Create());
    alive.PostMessage(6000);
    platform.clock().runPending();
    EXPECT_EQ(reached, 1);
}

TEST(DialogLife, TimersFireInOrderAndRearmingRestarts) {
    FakePlatform platform;
    TestDialog dlg(platform);
    ASSERT_TRUE(dlg.Create());
    dlg.SetTimer(30, 20);
    dlg.SetTimer(70, 50);
    platform.clock().advanceMs(15);
    dlg.SetTimer(30, 20);  // restarts: now due at 35
    platform.clock().advanceMs(15);
    EXPECT_TRUE(dlg.timers.empty());
    platform.clock().advanceMs(5);
    EXPECT_EQ(dlg.timers, (std::vector<int>{30}));
    dlg.KillTimer(30);
    EXPECT_FALSE(dlg.TimerActive(30));
    platform.clock().advanceMs(20);
    EXPECT_EQ(dlg.timers, (std::vector<int>{30, 70}));
}

TEST(DialogLife, TimersOfADestroyedDialogDoNotFire) {
    FakePlatform platform;
    int reached = 0;
    {
        CountingDialog dlg(platform, reached);
        ASSERT_TRUE(dlg.Create());
        dlg.SetTimer(1, 10);
        dlg.SetTimer(2, 10);
    }
    platform.clock().advanceMs(100);
    EXPECT_EQ(reached, 0);
    CountingDialog alive(platform, reached);
    ASSERT_TRUE(alive.Create());
    alive.SetTimer(1, 10);
    platform.clock().advanceMs(10);
    EXPECT_EQ(reached, 1);
}

}  // namespace
}  // namespace orvane::ui
