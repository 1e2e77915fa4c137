#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "Testbed.h"
#include "device/hid/HidrawTransport.h"

using namespace orvane::hid;
using orvane::hid::test::FakeHidraw;
using orvane::hid::test::FeatureScript;
using orvane::hid::test::Testbed;

namespace {

// The vendor interface of the mouse: input report 5 in one collection, feature report 0x0C
// with a short input report 0x0D in the other.
const std::vector<uint8_t> kVendorDescriptor = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x05, 0x09, 0x02, 0x15, 0x00, 0x26, 0xFF, 0x00,
    0x75, 0x08, 0x95, 0x20, 0x81, 0x02, 0xC0,  //
    0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x85, 0x0D,
    0x09, 0x03, 0x95, 0x08, 0x81, 0x02, 0x85, 0x0C, 0x09, 0x04, 0x95, 0x20, 0xB1, 0x02, 0xC0,
};

const std::vector<uint8_t> kBootMouseDescriptor = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19,
    0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,
    0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09,
    0x38, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0,
};

// Someone else's device with a vendor collection of exactly our lengths.
const std::vector<uint8_t> kLookalikeDescriptor = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x20, 0x81, 0x02, 0xB1, 0x02, 0xC0,
};

class HidrawUmockdev : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(umockdev_in_mock_environment()) << "run under umockdev-wrapper";
        const std::string wired = bed.addUsbDevice("1-2", kVendorId, kWiredProductId);
        const std::string other = bed.addUsbDevice("1-3", 0x1234, 0x5678);
        bootMouse = {wired, "0003:248A:5B2E.0001", 0, "0003:0000248A:00005B2E", kBootMouseDescriptor, {}};
        vendor = {wired, "0003:248A:5B2E.0002", 1, "0003:0000248A:00005B2E", kVendorDescriptor, {}};
        foreign = {other, "0003:1234:5678.0003", 2, "0003:00001234:00005678", kLookalikeDescriptor, {}};
        // A receiver served through uhid: no USB device above it, only the HID_ID.
        receiver = {"/devices/virtual/misc/uhid", "0006:248A:5B2F.0004", 10,
                    "0006:0000248A:00005B2F",     kVendorDescriptor,     {}};
    }

    Testbed bed;
    FakeHidraw bootMouse, vendor, foreign, receiver;
};

struct EventLog {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<HotplugEvent> events;

    void add(const HotplugEvent& e) {
        std::lock_guard<std::mutex> hold(lock);
        events.push_back(e);
        changed.notify_all();
    }
    bool waitFor(size_t count) {
        std::unique_lock<std::mutex> hold(lock);
        return changed.wait_for(hold, std::chrono::seconds(5), [&] { return events.size() >= count; });
    }
};

}  // namespace

TEST_F(HidrawUmockdev, EnumeratesEveryCollectionWithIdentityFromUsbOrHidParent) {
    // Added out of order: the list is ordered by node number, hidraw10 after hidraw2.
    bed.addHidraw(receiver);
    bed.addHidraw(vendor);
    bed.addHidraw(bootMouse);
    bed.addHidraw(foreign);
    HidrawTransport transport;
    auto list = transport.enumerate();
    ASSERT_TRUE(list.ok()) << list.error().message();
    ASSERT_EQ(list->size(), 6u);
    auto expect = [&](size_t i, const char* path, uint16_t vid, uint16_t pid, uint16_t in, uint16_t feat) {
        SCOPED_TRACE(path);
        const InterfaceInfo& info = (*list)[i];
        EXPECT_EQ(info.path, path);
        EXPECT_EQ(info.vendor, vid);
        EXPECT_EQ(info.product, pid);
        EXPECT_EQ(info.inputReportLength, in);
        EXPECT_EQ(info.featureReportLength, feat);
    };
    expect(0, "/dev/hidraw0", 0x248A, 0x5B2E, 5, 0);
    expect(1, "/dev/hidraw1", 0x248A, 0x5B2E, 33, 0);
    expect(2, "/dev/hidraw1#1", 0x248A, 0x5B2E, 9, 33);
    expect(3, "/dev/hidraw2", 0x1234, 0x5678, 33, 33);
    expect(4, "/dev/hidraw10", 0x248A, 0x5B2F, 33, 0);
    expect(5, "/dev/hidraw10#1", 0x248A, 0x5B2F, 9, 33);
}

TEST_F(HidrawUmockdev, BluetoothDeviceBehindOurUsbDongleKeepsItsOwnIdentity) {
    // Someone else's Bluetooth HID device whose radio happens to be a USB device of ours.
    const std::string dongle = bed.addUsbDevice("1-4", kVendorId, kReceiverProductId);
    FakeHidraw bt{dongle + "/bluetooth/hci0/hci0:256",
                  "0005:1234:5678.0005",
                  3,
                  "0005:00001234:00005678",
                  kLookalikeDescriptor,
                  {}};
    bed.addHidraw(bt);
    HidrawTransport transport;
    auto list = transport.enumerate();
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list->size(), 1u);
    EXPECT_EQ((*list)[0].vendor, 0x1234);
    EXPECT_EQ((*list)[0].product, 0x5678);
    EXPECT_EQ(transport.open("/dev/hidraw3").error().code, ENOTSUP);
}

TEST_F(HidrawUmockdev, BrokenDescriptorLeavesTheNodeVisibleButUnclassifiable) {
    vendor.descriptor = {0x06, 0x00, 0xFF, 0xA1, 0x01, 0x75};  // truncated
    bed.addHidraw(vendor);
    HidrawTransport transport;
    auto list = transport.enumerate();
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list->size(), 1u);
    EXPECT_EQ((*list)[0].inputReportLength, 0);
    EXPECT_EQ((*list)[0].featureReportLength, 0);
}

TEST_F(HidrawUmockdev, FeatureReportsRoundTripThroughTheIoctls) {
    bed.addHidraw(vendor);
    FeatureScript script;
    script.stall = {0x0E};
    bed.attachFeatureScript(vendor.devnode(), script);
    HidrawTransport transport;
    auto dev = transport.open("/dev/hidraw1#1");
    ASSERT_TRUE(dev.ok()) << dev.error().message();
    EXPECT_EQ((*dev)->info().featureReportLength, 33);

    std::array<uint8_t, 33> frame{0x0C, 1, 0x20, 0, 7};
    ASSERT_TRUE((*dev)->setFeature(frame).ok());
    std::array<uint8_t, 33> reply{};
    reply.fill(0xFF);
    reply[0] = 0x0C;
    auto n = (*dev)->getFeature(reply);
    ASSERT_TRUE(n.ok()) << n.error().message();
    EXPECT_EQ(*n, 33u);
    EXPECT_EQ(reply, frame);
    {
        std::lock_guard<std::mutex> hold(script.lock);
        ASSERT_EQ(script.requests.size(), 2u);
        EXPECT_EQ(_IOC_SIZE(script.requests[0]), 33u);  // the length travels in the request
    }

    frame[0] = 0x0E;
    auto stalled = (*dev)->setFeature(frame);
    ASSERT_FALSE(stalled.ok());
    EXPECT_EQ(stalled.error().code, EPIPE);
    EXPECT_NE(stalled.error().context.find("/dev/hidraw1#1"), std::string::npos);
    reply[0] = 0x0B;  // never written
    EXPECT_EQ((*dev)->getFeature(reply).error().code, EIO);
}

TEST_F(HidrawUmockdev, NodeTakenOverByAnotherDeviceIsClosedUnused) {
    bed.addHidraw(vendor);
    FeatureScript script;
    bed.attachFeatureScript(vendor.devnode(), script);
    HidrawTransport transport;
    script.rawIdentity = {{kVendorId, kWiredProductId}};
    EXPECT_TRUE(transport.open("/dev/hidraw1#1").ok());

    // sysfs still says 248A:5B2E, the kernel already knows better.
    script.rawIdentity = {{0x1234, 0x5678}};
    auto dev = transport.open("/dev/hidraw1#1");
    ASSERT_FALSE(dev.ok());
    EXPECT_TRUE(dev.error().isGone());
}

TEST_F(HidrawUmockdev, UnnumberedInputGainsAZeroReportIdAndInterruptWinsOverData) {
    bootMouse.nodeContents = {0x01, 0x05, 0xFB, 0x00};
    bed.addHidraw(bootMouse);
    vendor.nodeContents = {0x05, 0x06, 0x00, 0x04, 0x02};
    bed.addHidraw(vendor);
    HidrawTransport transport;

    auto mouse = transport.open("/dev/hidraw0");
    ASSERT_TRUE(mouse.ok()) << mouse.error().message();
    std::array<uint8_t, 5> in{};
    auto n = (*mouse)->readInput(in);
    ASSERT_TRUE(n.ok()) << n.error().message();
    EXPECT_EQ(*n, 5u);
    EXPECT_EQ(in, (std::array<uint8_t, 5>{0x00, 0x01, 0x05, 0xFB, 0x00}));

    auto numbered = transport.open("/dev/hidraw1");
    ASSERT_TRUE(numbered.ok());
    std::array<uint8_t, 33> report{};
    n = (*numbered)->readInput(report);
    ASSERT_TRUE(n.ok());
    EXPECT_EQ(*n, 5u);
    EXPECT_EQ(report[0], 0x05);
    EXPECT_EQ(report[3], 0x04);

    // Once interrupted, a reader fails even with data waiting, and keeps failing.
    auto again = transport.open("/dev/hidraw1");
    ASSERT_TRUE(again.ok());
    (*again)->interruptRead();
    for (int i = 0; i < 2; ++i) {
        auto r = (*again)->readInput(report);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error().code, ECANCELED);
    }
}

TEST_F(HidrawUmockdev, OpensOnlyOurVendorsDevicesAndOnlyExistingCollections) {
    bed.addHidraw(vendor);
    bed.addHidraw(foreign);
    HidrawTransport transport;
    auto refused = transport.open("/dev/hidraw2");
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().code, ENOTSUP);
    EXPECT_FALSE(refused.error().isPermission());

    EXPECT_EQ(transport.open("/dev/hidraw1#2").error().code, ENOENT);
    EXPECT_TRUE(transport.open("/dev/hidraw7").error().isGone());
    for (const char* bad : {"/dev/sda", "/dev/hidraw1#", "/dev/hidraw1#x", "hidraw1", "/dev/hidraw"})
        EXPECT_EQ(transport.open(bad).error().code, EINVAL) << bad;
}

TEST_F(HidrawUmockdev, PermissionDeniedIsReportedAsSuch) {
    bed.addHidraw(vendor);
    const std::string node = bed.rootDir() + "/dev/hidraw1";
    ASSERT_EQ(::chmod(node.c_str(), 0), 0);
    // Root opens anything: the child gives up its capabilities, so the mode counts even for
    // uid 0, the owner of the node.
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct none[2]{};
        if (::syscall(SYS_capset, &header, none) != 0) ::_exit(2);
        HidrawTransport transport;
        auto list = transport.enumerate();  // sysfs stays readable: enumeration needs no rights
        if (!list.ok() || list->size() != 2) ::_exit(3);
        auto dev = transport.open("/dev/hidraw1");
        ::_exit(!dev.ok() && dev.error().isPermission() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// Both sources: "udev" where udevd runs, "kernel" in containers and minimal systems.
class HidrawMonitor : public HidrawUmockdev,
                      public ::testing::WithParamInterface<HidrawTransport::EventSource> {};

TEST_P(HidrawMonitor, ReportsArrivalAndRemoval) {
    HidrawTransport transport(GetParam());
    EventLog log;
    ASSERT_TRUE(transport.watch([&](const HotplugEvent& e) { log.add(e); }).ok());

    bed.addHidraw(vendor);                   // the testbed announces new devices itself
    bed.uevent(vendor.syspath(), "change");  // and so is anything but add and remove
    bed.uevent(vendor.syspath(), "remove");
    ASSERT_TRUE(log.waitFor(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::lock_guard<std::mutex> hold(log.lock);
    ASSERT_EQ(log.events.size(), 2u);
    EXPECT_EQ(log.events[0].action, HotplugAction::Added);
    EXPECT_EQ(log.events[0].path, "/dev/hidraw1");
    EXPECT_EQ(log.events[1].action, HotplugAction::Removed);
    EXPECT_EQ(log.events[1].path, "/dev/hidraw1");
}

INSTANTIATE_TEST_SUITE_P(Sources, HidrawMonitor,
                         ::testing::Values(HidrawTransport::EventSource::Udev,
                                           HidrawTransport::EventSource::Kernel));

TEST_F(HidrawUmockdev, StoppingTheMonitorEndsEvents) {
    HidrawTransport transport(HidrawTransport::EventSource::Udev);
    EventLog log;
    ASSERT_TRUE(transport.watch([&](const HotplugEvent& e) { log.add(e); }).ok());
    bed.addHidraw(vendor);
    ASSERT_TRUE(log.waitFor(1));
    ASSERT_TRUE(transport.watch({}).ok());
    bed.uevent(vendor.syspath(), "remove");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::lock_guard<std::mutex> hold(log.lock);
    EXPECT_EQ(log.events.size(), 1u);
}

TEST_F(HidrawUmockdev, TheMonitorCannotBeChangedFromItsOwnCallback) {
    HidrawTransport transport(HidrawTransport::EventSource::Udev);
    EventLog log;
    int refused = 0;
    ASSERT_TRUE(transport
                    .watch([&](const HotplugEvent& e) {
                        refused = transport.watch({}).error().code;  // joining itself would hang
                        log.add(e);
                    })
                    .ok());
    bed.addHidraw(vendor);
    ASSERT_TRUE(log.waitFor(1));
    EXPECT_EQ(refused, EDEADLK);
}
