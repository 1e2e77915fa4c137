#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>

#include "base/VirtualEventLoop.h"
#include "device/sim/SimTransport.h"

using namespace orvane;
using namespace orvane::sim;

namespace {

std::array<uint8_t, 33> frame(uint8_t command, uint8_t sequence = 1, std::initializer_list<uint8_t> payload = {},
                              uint8_t writeFlag = 1) {
    std::array<uint8_t, 33> f{};
    f[0] = 0x0C;
    f[1] = 1;
    f[2] = command;
    f[4] = sequence;
    f[5] = writeFlag;
    f[6] = static_cast<uint8_t>(payload.size());
    size_t i = 7;
    for (uint8_t b : payload) f[i++] = b;
    return f;
}

std::unique_ptr<hid::Device> openRole(SimTransport& t, Link link, bool input) {
    auto list = t.enumerate();
    EXPECT_TRUE(list.ok());
    const uint16_t product = link == Link::Wired ? hid::kWiredProductId : hid::kReceiverProductId;
    for (const auto& info : *list) {
        if (info.product != product) continue;
        const bool isInput = info.inputReportLength == 33;
        const bool isFeature = !isInput && info.featureReportLength == 33;
        if ((input && isInput) || (!input && isFeature)) {
            auto dev = t.open(info.path);
            EXPECT_TRUE(dev.ok()) << dev.error().message();
            return dev.ok() ? std::move(dev).value() : nullptr;
        }
    }
    ADD_FAILURE() << "no such interface";
    return nullptr;
}

}  // namespace

TEST(SimTransport, EnumeratesThreeInterfacesPerPluggedDeviceWithDesignLengths) {
    SimTransport t;
    auto list = t.enumerate();
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list->size(), 6u);
    EXPECT_EQ((*list)[0].path, "sim:wired/0");
    EXPECT_EQ((*list)[3].path, "sim:receiver/0");
    EXPECT_EQ((*list)[1].inputReportLength, 33);
    EXPECT_EQ((*list)[1].featureReportLength, 0);
    EXPECT_NE((*list)[2].inputReportLength, 33);
    EXPECT_EQ((*list)[2].featureReportLength, 33);
    EXPECT_EQ((*list)[0].inputReportLength, 5);  // boot mouse decoy

    auto receiverOnly = parseSimOptions("receiver-only");
    ASSERT_TRUE(receiverOnly.ok());
    SimTransport r(*receiverOnly);
    const auto receiverList = r.enumerate();
    ASSERT_EQ(receiverList->size(), 3u);
    EXPECT_EQ(receiverList->front().product, hid::kReceiverProductId);

    auto combined = parseSimOptions("combined-input");
    ASSERT_TRUE(combined.ok());
    SimTransport c(*combined);
    const auto combinedList = c.enumerate();
    const auto info = combinedList.value()[1];
    EXPECT_EQ(info.inputReportLength, 33);
    EXPECT_EQ(info.featureReportLength, 33);
}

TEST(SimTransport, StatusRequestAndReplyGoThroughTheFeatureInterface) {
    SimTransport t;
    auto dev = openRole(t, Link::Wired, false);
    ASSERT_TRUE(dev);
    ASSERT_TRUE(dev->setFeature(frame(0x20, 9, {}, 0)).ok());
    std::array<uint8_t, 33> reply{};
    reply.fill(0xFF);
    reply[0] = 0x0C;
    auto n = dev->getFeature(reply);
    ASSERT_TRUE(n.ok());
    EXPECT_EQ(*n, 33u);
    EXPECT_EQ(reply[2], 0x20);
    EXPECT_EQ(reply[3], 0);
    EXPECT_EQ(std::string(reply.begin() + 7, reply.begin() + 11), "V7Q3");

    const auto sets = t.log().sets(Link::Wired);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0][2], 0x20);
    EXPECT_EQ(t.log().records().back().kind, hid::FrameKind::Get);
}

TEST(SimTransport, FeatureReportOnTheInputOnlyInterfaceIsRejected) {
    SimTransport t;
    auto input = openRole(t, Link::Wired, true);
    ASSERT_TRUE(input);
    const auto result = input->setFeature(frame(0x07, 1, {1}));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().code, EPIPE);
    EXPECT_EQ(t.memory().pollingInterval, 2);
}

TEST(SimTransport, ReaderGetsNotificationsAndFailsWhenUnpluggedOrInterrupted) {
    SimTransport t;
    auto input = openRole(t, Link::Wired, true);
    ASSERT_TRUE(input);
    ASSERT_TRUE(t.userSetPollingInterval(4).ok());
    std::array<uint8_t, 33> buf{};
    auto n = input->readInput(buf);
    ASSERT_TRUE(n.ok());
    EXPECT_EQ(buf[0], 5);
    EXPECT_EQ(buf[1], 6);
    EXPECT_EQ(buf[3], 4);

    std::atomic<int> code{0};
    std::thread reader([&] {
        auto r = input->readInput(buf);
        code = r.ok() ? 0 : r.error().code;
    });
    t.unplug(Link::Wired);
    reader.join();
    EXPECT_EQ(code, ENODEV);

    // A re-plug makes a new device: old handles stay dead, new ones work.
    t.plug(Link::Wired);
    EXPECT_FALSE(input->readInput(buf).ok());
    auto fresh = openRole(t, Link::Wired, true);
    ASSERT_TRUE(fresh);
    std::thread reader2([&] {
        auto r = fresh->readInput(buf);
        code = r.ok() ? 0 : r.error().code;
    });
    fresh->interruptRead();
    reader2.join();
    EXPECT_EQ(code, EINTR);
}

TEST(SimTransport, WatchReportsEveryInterfaceOfAPluggedOrUnpluggedDevice) {
    SimTransport t;
    std::vector<hid::HotplugEvent> events;
    ASSERT_TRUE(t.watch([&](const hid::HotplugEvent& e) { events.push_back(e); }).ok());
    t.unplug(Link::Receiver);
    t.unplug(Link::Receiver);  // already gone: nothing
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].action, hid::HotplugAction::Removed);
    EXPECT_EQ(events[2].path, "sim:receiver/2");
    const auto afterUnplug = t.enumerate();
    EXPECT_EQ(afterUnplug->size(), 3u);
    t.plug(Link::Receiver);
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[5].action, hid::HotplugAction::Added);
    ASSERT_TRUE(t.watch({}).ok());
    t.unplug(Link::Receiver);
    EXPECT_EQ(events.size(), 6u);
}

TEST(SimTransport, StalledTransferFailsAfterFiveSecondsOfInjectedTime) {
    VirtualEventLoop loop;
    SimTransport t({}, &loop);
    auto dev = openRole(t, Link::Receiver, false);
    ASSERT_TRUE(dev);
    t.injectFault(Link::Receiver, Fault::Stall);
    const auto result = dev->setFeature(frame(0x07, 1, {1}));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().code, ETIMEDOUT);
    EXPECT_EQ(loop.nowMs(), 5000);
    EXPECT_TRUE(dev->setFeature(frame(0x07, 2, {1})).ok());  // one-shot fault
    EXPECT_EQ(t.memory().pollingInterval, 1);
    EXPECT_EQ(t.log().records().back().ms, 5000);
}
