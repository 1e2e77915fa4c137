#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "device/hid/FrameTrace.h"
#include "device/sim/FrameLog.h"
#include "support/TempFolder.h"

using namespace orvane;
using hid::DeviceRole;
using hid::FrameKind;
using hid::FrameTrace;

TEST(FrameTrace, LineFormat) {
    const std::vector<uint8_t> bytes = {0x0C, 0x01, 0x07, 0x00, 0xAB, 0x01, 0x01, 0x01};
    EXPECT_EQ(FrameTrace::formatLine(12, FrameKind::Set, DeviceRole::Wired, bytes),
              "12 SET wired 0C 01 07 00 AB 01 01 01");
    EXPECT_EQ(FrameTrace::formatLine(0, FrameKind::In, DeviceRole::Receiver, std::vector<uint8_t>{5, 6}),
              "0 IN receiver 05 06");
    EXPECT_EQ(FrameTrace::formatLine(7, FrameKind::Get, DeviceRole::Wired, {}), "7 GET wired");
}

TEST(FrameTrace, WritesOnlyWhenConfigured) {
    const std::vector<uint8_t> bytes = {0xFF};
    ASSERT_TRUE(FrameTrace::configure("0").ok());
    EXPECT_FALSE(FrameTrace::enabled());

    const orvane::test::TempFolder folder("orvane-trace");
    const std::string path = (folder / "trace.txt").string();
    ASSERT_TRUE(FrameTrace::configure(path).ok());
    EXPECT_TRUE(FrameTrace::enabled());
    FrameTrace::trace(FrameKind::Get, DeviceRole::Receiver, bytes);
    FrameTrace::trace(FrameKind::Set, DeviceRole::Wired, bytes);
    ASSERT_TRUE(FrameTrace::configure("").ok());
    FrameTrace::trace(FrameKind::Set, DeviceRole::Wired, bytes);  // off again: not written

    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 2u);
    std::istringstream first(lines[0]);
    long long ms = -1;
    std::string kind, device, hex;
    first >> ms >> kind >> device >> hex;
    EXPECT_GE(ms, 0);
    EXPECT_EQ(kind, "GET");
    EXPECT_EQ(device, "receiver");
    EXPECT_EQ(hex, "FF");
    std::remove(path.c_str());

    const auto failed = FrameTrace::configure("/nonexistent-dir/trace.txt");
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error().code, ENOENT);
    EXPECT_FALSE(FrameTrace::enabled());
}

TEST(FrameTrace, SinkReceivesLinesFromEveryThread) {
    std::vector<std::string> lines;
    FrameTrace::setSink([&](std::string_view l) { lines.emplace_back(l); });
    FrameTrace::trace(FrameKind::In, DeviceRole::Wired, std::vector<uint8_t>{5, 6, 0, 4, 2});
    FrameTrace::setSink({});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(" IN wired 05 06 00 04 02"), std::string::npos);
}

TEST(FrameLog, FiltersWritesByDeviceAndFormatsLikeTheTrace) {
    sim::FrameLog log;
    log.add({10, FrameKind::Set, DeviceRole::Wired, {0x0C, 0x01, 0x07}, true});
    log.add({10, FrameKind::Set, DeviceRole::Receiver, {0x0C, 0x00, 0x07}, true});
    log.add({70, FrameKind::Set, DeviceRole::Wired, {0x0C, 0x01, 0x0A}, false});
    log.add({80, FrameKind::Get, DeviceRole::Wired, {0x0C, 0x01, 0x20}, true});
    EXPECT_EQ(log.commands(DeviceRole::Wired), std::vector<uint8_t>({0x07}));
    EXPECT_EQ(log.sets(DeviceRole::Receiver).size(), 1u);
    EXPECT_EQ(log.text(),
              "10 SET wired 0C 01 07\n10 SET receiver 0C 00 07\n70 SET wired 0C 01 0A (failed)\n"
              "80 GET wired 0C 01 20\n");
    log.clear();
    EXPECT_TRUE(log.records().empty());
}
