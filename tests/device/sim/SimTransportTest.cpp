#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>

#include "base/VirtualEventLoop.h"
#include "device/sim/SimTransport.h"

using namespace orvane;
using namespace orvane::sim;

namespace {

std::array<uint8_t, 33> frame(uint8_t command, uint8_t sequence = 1,
                              std::initializer_list<uint8_t> payload = {}, uint8_t writeFlag = 1) {
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

TEST(SimTransport, EnumeratesThreeInterfacesPerPluggedDeviceWithTheirReportLengths) {
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
    // Sent, then read: a report counts as handed over only once its reader comes back for the
    // next, which a reader does after passing the report on.
    EXPECT_FALSE(t.inputHandedOver());
    auto n = input->readInput(buf);
    ASSERT_TRUE(n.ok());
    EXPECT_FALSE(t.inputHandedOver());
    EXPECT_EQ(buf[0], 5);
    EXPECT_EQ(buf[1], 6);
    EXPECT_EQ(buf[3], 4);

    std::atomic<int> code{0};
    std::thread reader([&] {
        auto r = input->readInput(buf);
        code = r.ok() ? 0 : r.error().code;
    });
    for (int i = 0; i < 10000 && !t.inputHandedOver(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(t.inputHandedOver());
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

namespace {

Result<std::array<uint8_t, 33>> transact(hid::Device& dev, uint8_t command) {
    if (auto s = dev.setFeature(frame(command, 1, {}, 0)); !s) return s.error();
    std::array<uint8_t, 33> reply{};
    reply.fill(0xFF);
    reply[0] = 0x0C;
    if (auto n = dev.getFeature(reply); !n) return n.error();
    return reply;
}

}  // namespace

TEST(SimTransport, ScriptedTransferFaults) {
    SimTransport t;
    auto dev = openRole(t, Link::Wired, false);
    ASSERT_TRUE(dev);

    t.injectFault(Link::Wired, Fault::SetFails);
    auto r = transact(*dev, 0x20);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().code, EPIPE);
    EXPECT_FALSE(t.log().records().back().ok);

    t.injectFault(Link::Wired, Fault::GetFails);
    r = transact(*dev, 0x20);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().code, EPIPE);

    t.injectFault(Link::Wired, Fault::EmptyReply);
    r = transact(*dev, 0x20);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ((*r)[2], 0x20);
    EXPECT_EQ((*r)[6], 0);
    EXPECT_EQ((*r)[7], 0);

    t.injectFault(Link::Wired, Fault::WrongReply);
    r = transact(*dev, 0x20);
    ASSERT_TRUE(r.ok());
    EXPECT_NE((*r)[2], 0x20);

    r = transact(*dev, 0x20);  // every fault above was one-shot
    ASSERT_TRUE(r.ok());
    EXPECT_EQ((*r)[2], 0x20);
    EXPECT_EQ((*r)[6], 14);

    // Faults are per device.
    t.injectFault(Link::Receiver, Fault::SetFails, kFaultAlways);
    EXPECT_TRUE(transact(*dev, 0x21).ok());
    auto receiver = openRole(t, Link::Receiver, false);
    ASSERT_TRUE(receiver);
    EXPECT_FALSE(transact(*receiver, 0x21).ok());
    EXPECT_FALSE(transact(*receiver, 0x21).ok());
    t.clearFaults(Link::Receiver);
    EXPECT_TRUE(transact(*receiver, 0x21).ok());
}

TEST(SimTransport, FeatureInterfaceThatCannotBeOpenedLeavesTheInputInterfaceUsable) {
    SimTransport t;
    t.injectFault(Link::Wired, Fault::OpenFeatureFails);
    auto input = openRole(t, Link::Wired, true);
    EXPECT_TRUE(input);
    auto failed = t.open("sim:wired/2");
    ASSERT_FALSE(failed.ok());
    EXPECT_TRUE(failed.error().isPermission());
    EXPECT_TRUE(t.open("sim:wired/2").ok());

    EXPECT_FALSE(t.open("sim:wired/3").ok());
    EXPECT_FALSE(t.open("/dev/hidraw0").ok());
    t.unplug(Link::Receiver);
    auto gone = t.open("sim:receiver/2");
    ASSERT_FALSE(gone.ok());
    EXPECT_TRUE(gone.error().isGone());
}

TEST(SimTransport, ReaderFailureWakesABlockedReaderWhileTheDeviceStays) {
    SimTransport t(parseSimOptions("receiver-only").value());
    auto input = openRole(t, Link::Receiver, true);
    ASSERT_TRUE(input);
    std::atomic<int> code{-1};
    std::thread reader([&] {
        std::array<uint8_t, 33> buf{};
        auto r = input->readInput(buf);
        code = r.ok() ? 0 : r.error().code;
    });
    t.injectFault(Link::Receiver, Fault::ReaderFails);
    reader.join();
    EXPECT_EQ(code, EIO);
    EXPECT_TRUE(t.plugged(Link::Receiver));

    // A new reader works again.
    auto again = openRole(t, Link::Receiver, true);
    ASSERT_TRUE(again);
    ASSERT_TRUE(t.userSelectDpiLevel(3).ok());
    std::array<uint8_t, 33> buf{};
    ASSERT_TRUE(again->readInput(buf).ok());
    EXPECT_EQ(buf[4], 4);
}

TEST(SimTransport, NotificationsReachOnlyTheInputInterfaceOfTheReportingDevice) {
    SimTransport t;
    auto wiredInput = openRole(t, Link::Wired, true);
    auto receiverInput = openRole(t, Link::Receiver, true);
    ASSERT_TRUE(wiredInput && receiverInput);
    ASSERT_TRUE(t.userSelectDpiLevel(0).ok());  // on the cable: reported there
    t.unplug(Link::Wired);
    ASSERT_TRUE(t.userSelectDpiLevel(2).ok());  // now through the receiver

    std::array<uint8_t, 33> buf{};
    ASSERT_TRUE(receiverInput->readInput(buf).ok());
    EXPECT_EQ(buf[4], 3);  // the receiver never saw the first one

    const auto records = t.log().records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].kind, hid::FrameKind::In);
    EXPECT_EQ(records[0].device, Link::Wired);
    EXPECT_EQ(records[1].device, Link::Receiver);
}

TEST(SimTransport, ConcurrentSendsAndReadsDoNotLoseNotifications) {
    SimTransport t;
    auto feature = openRole(t, Link::Wired, false);
    auto input = openRole(t, Link::Wired, true);
    ASSERT_TRUE(feature && input);
    constexpr int kCount = 50;
    std::atomic<int> received{0};
    std::thread reader([&] {
        std::array<uint8_t, 33> buf{};
        while (input->readInput(buf).ok()) ++received;
    });
    for (int i = 0; i < kCount; ++i) {
        ASSERT_TRUE(t.userSetPollingInterval(i % 2 ? 1 : 8).ok());
        ASSERT_TRUE(feature->setFeature(frame(0x0A, static_cast<uint8_t>(i), {4})).ok());
    }
    while (received < kCount) std::this_thread::yield();
    input->interruptRead();
    reader.join();
    EXPECT_EQ(received, kCount);
    EXPECT_EQ(t.log().commands(Link::Wired).size(), static_cast<size_t>(kCount));
}

TEST(SimTransport, ScriptedConditionShowsInTheStatus) {
    auto options = parseSimOptions("receiver-only,asleep,sensor=0x3325,mac=0x010203,datachange=0x0042");
    ASSERT_TRUE(options.ok());
    SimTransport t(*options);
    auto dev = openRole(t, Link::Receiver, false);
    ASSERT_TRUE(dev);
    auto r = transact(*dev, 0x20);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ((*r)[13], 0x25);
    EXPECT_EQ((*r)[16], 0);
    EXPECT_EQ((*r)[17], 0x03);
    EXPECT_EQ((*r)[19], 0x01);

    t.setOnline(true);
    t.setBattery(57, 1);
    t.setSensorCode(0x70);
    r = transact(*dev, 0x20);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ((*r)[13], 0x70);
    EXPECT_EQ((*r)[14], 1);
    EXPECT_EQ((*r)[15], 57);
    EXPECT_EQ((*r)[16], 1);
    r = transact(*dev, 0x21);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ((*r)[7], 0x42);
    t.setDataChange(0x1301);
    r = transact(*dev, 0x21);
    EXPECT_EQ((*r)[8], 0x13);
}
