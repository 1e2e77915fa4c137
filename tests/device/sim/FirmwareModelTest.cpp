#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <string>

#include "device/sim/FirmwareModel.h"

using namespace orvane;
using namespace orvane::sim;

namespace {

Report frame(uint8_t command, std::initializer_list<uint8_t> payload = {}, uint8_t writeFlag = 1,
             uint8_t sequence = 1) {
    Report f{};
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

void write(FirmwareModel& m, Link via, const Report& f) {
    ASSERT_TRUE(m.handleSetFeature(via, f).ok());
}

Report read(FirmwareModel& m, Link via, uint8_t command) {
    EXPECT_TRUE(m.handleSetFeature(via, frame(command, {}, 0, 42)).ok());
    return m.handleGetFeature(via);
}

// A macro chunk as the host builds it: position byte, slot, up to 25 data bytes.
Report chunk(uint8_t slot, uint8_t position, std::span<const uint8_t> data) {
    Report f{};
    f[0] = 0x0C;
    f[1] = 1;
    f[2] = 0x0E;
    f[5] = position;
    f[6] = static_cast<uint8_t>(data.size() + 1);
    f[7] = slot;
    std::copy(data.begin(), data.end(), f.begin() + 8);
    return f;
}

std::vector<uint8_t> sequenceBytes(size_t n, uint8_t start = 1) {
    std::vector<uint8_t> v(n);
    std::iota(v.begin(), v.end(), start);
    return v;
}

// Uploads `data` into `slot` the way the host splits it.
void upload(FirmwareModel& m, uint8_t slot, const std::vector<uint8_t>& data) {
    const size_t chunks = std::max<size_t>(1, (data.size() + 24) / 25);
    for (size_t c = 0; c < chunks; ++c) {
        const size_t begin = c * 25;
        const size_t n = std::min<size_t>(25, data.size() - std::min(begin, data.size()));
        const auto position = static_cast<uint8_t>((c << 4) | (chunks & 0x0F));
        write(m, Link::Wired, chunk(slot, position, std::span(data).subspan(begin, n)));
    }
}

}  // namespace

TEST(FirmwareModel, StatusReplyLayout) {
    FirmwareModel m(MouseCondition{
        .sensorCode = 0x35, .macId = 0x123456, .battery = 57, .chargeState = 1, .online = true});
    const Report r = read(m, Link::Receiver, 0x20);
    EXPECT_EQ(r[0], 0x0C);
    EXPECT_EQ(r[2], 0x20);
    EXPECT_EQ(r[3], 0);
    EXPECT_EQ(r[4], 42);  // sequence echoed
    EXPECT_EQ(r[6], 14);
    EXPECT_EQ(std::string(r.begin() + 7, r.begin() + 11), "V7Q3");
    EXPECT_EQ(r[13], 0x35);
    EXPECT_EQ(r[14], 1);
    EXPECT_EQ(r[15], 57);
    EXPECT_EQ(r[16], 1);
    EXPECT_EQ(r[17], 0x56);
    EXPECT_EQ(r[18], 0x34);
    EXPECT_EQ(r[19], 0x12);
    EXPECT_EQ(r[20], 0x20);  // factory level 1 (0-based) reported as 2 in the high nibble
    EXPECT_EQ(r[21], 0);
}

TEST(FirmwareModel, AsleepMouseBehindTheReceiverAnswersOfflineAndLosesWrites) {
    FirmwareModel m(MouseCondition{.battery = 57, .online = false});
    Report r = read(m, Link::Receiver, 0x20);
    EXPECT_EQ(std::string(r.begin() + 7, r.begin() + 11), "V7Q3");
    EXPECT_EQ(r[16], 0);
    EXPECT_EQ(r[15], 0);
    EXPECT_EQ(read(m, Link::Receiver, 0x21)[6], 0);  // the counter lives in the mouse

    write(m, Link::Receiver, frame(0x07, {1}));
    EXPECT_EQ(m.memory().pollingInterval, 2);
    // The cable always reaches the mouse.
    write(m, Link::Wired, frame(0x07, {1}));
    EXPECT_EQ(m.memory().pollingInterval, 1);
    EXPECT_EQ(read(m, Link::Wired, 0x20)[16], 1);

    m.condition().online = true;
    write(m, Link::Receiver, frame(0x07, {8}));
    EXPECT_EQ(m.memory().pollingInterval, 8);
}

TEST(FirmwareModel, RepliesBelongToTheDeviceThatWasAsked) {
    FirmwareModel m;
    write(m, Link::Wired, frame(0x20, {}, 0));
    write(m, Link::Receiver, frame(0x21, {}, 0));
    EXPECT_EQ(m.handleGetFeature(Link::Wired)[2], 0x20);
    EXPECT_EQ(m.handleGetFeature(Link::Receiver)[2], 0x21);
    // After a write the reply is empty but still names the command.
    write(m, Link::Wired, frame(0x0A, {4}));
    const Report r = m.handleGetFeature(Link::Wired);
    EXPECT_EQ(r[2], 0x0A);
    EXPECT_EQ(r[6], 0);
}

TEST(FirmwareModel, SettingsCommandsAreStored) {
    FirmwareModel m;
    write(m, Link::Wired, frame(0x04, {3, 0x80, 0xCD, 0x00}));
    EXPECT_EQ(m.memory().buttons[3], (KeyValue{0x80, 0xCD, 0x00}));
    write(m, Link::Wired, frame(0x04, {6, 0x10, 0x01, 0x00}));  // no button 6: ignored
    EXPECT_EQ(m.memory().buttons[5], (KeyValue{0x40, 0x01, 0x00}));

    // DPI: level 3 of three enabled levels, codes 0x0121 for the first level.
    Report dpi = frame(0x05, {0x33, 0x07, 0x21, 0x01});
    dpi[6] = 14;
    write(m, Link::Wired, dpi);
    EXPECT_EQ(m.memory().dpi[0], 0x33);
    EXPECT_EQ(m.memory().dpi[1], 0x07);
    EXPECT_EQ(m.memory().dpi[2], 0x21);
    EXPECT_EQ(m.memory().dpi[3], 0x01);
    EXPECT_EQ(m.memory().dpiLevel, 2);
    EXPECT_EQ(read(m, Link::Wired, 0x20)[20], 0x30);

    Report colours = frame(0x06);
    colours[6] = 18;
    colours[7] = 0xFF;
    colours[24] = 0xAB;
    write(m, Link::Wired, colours);
    EXPECT_EQ(m.memory().dpiColours[0], 0xFF);
    EXPECT_EQ(m.memory().dpiColours[17], 0xAB);

    write(m, Link::Wired, frame(0x07, {1}));
    write(m, Link::Wired, frame(0x09, {2, 0}));
    write(m, Link::Wired, frame(0x0A, {16}));
    write(m, Link::Wired, frame(0x0B, {7, 1}));
    write(m, Link::Wired, frame(0x08, {3, 0x45, 0xFF, 0x00, 0x80}));
    EXPECT_EQ(m.memory().pollingInterval, 1);
    EXPECT_EQ(m.memory().liftOff, (std::array<uint8_t, 2>{2, 0}));
    EXPECT_EQ(m.memory().debounce, 16);
    EXPECT_EQ(m.memory().sleepTime, 7);
    EXPECT_EQ(m.memory().movingLighting, 1);
    EXPECT_EQ(m.memory().lighting[0], 5);
    EXPECT_EQ(m.memory().lighting[1], 3);
    EXPECT_EQ(m.memory().lighting[5], 0x80);

    write(m, Link::Wired, frame(0x01, {0x35, 0x12}));
    const Report counter = read(m, Link::Wired, 0x21);
    EXPECT_EQ(counter[6], 2);
    EXPECT_EQ(counter[7], 0x35);
    EXPECT_EQ(counter[8], 0x12);
}

TEST(FirmwareModel, OversizedDpiPayloadLengthIsClampedToTheFrame) {
    // All eight levels enabled: the host states 34 payload bytes in a frame that holds 26.
    FirmwareModel m;
    Report dpi = frame(0x05, {0x18, 0xFF});
    dpi[6] = 34;
    write(m, Link::Wired, dpi);
    EXPECT_EQ(m.memory().dpi[1], 0xFF);
    EXPECT_EQ(m.memory().dpiLevel, 0);
}

TEST(FirmwareModel, MalformedReportIsRejected) {
    FirmwareModel m;
    Report wrongId = frame(0x07, {1});
    wrongId[0] = 0x05;
    EXPECT_FALSE(m.handleSetFeature(Link::Wired, wrongId).ok());
    EXPECT_FALSE(m.handleSetFeature(Link::Wired, std::span(wrongId).first(10)).ok());
    EXPECT_EQ(m.memory().pollingInterval, 2);
}

TEST(FirmwareModel, MacroChunksAreReassembledPerSlot) {
    FirmwareModel m;
    // Two macros interleaved: 27 bytes (two chunks) in slot 1 and 6 bytes in slot 2.
    const auto a = sequenceBytes(27);
    const auto b = sequenceBytes(6, 0x80);
    write(m, Link::Wired, chunk(1, 0x02, std::span(a).first(25)));
    upload(m, 2, b);
    write(m, Link::Wired, chunk(1, 0x12, std::span(a).subspan(25)));
    ASSERT_TRUE(m.memory().macros.count(1));
    EXPECT_EQ(m.memory().macros.at(1).data, a);
    EXPECT_TRUE(m.memory().macros.at(1).complete);
    EXPECT_EQ(m.memory().macros.at(2).data, b);

    // A new upload into a slot replaces the old content.
    upload(m, 1, sequenceBytes(3, 0x30));
    EXPECT_EQ(m.memory().macros.at(1).data, sequenceBytes(3, 0x30));

    // An empty macro: one chunk with the slot number only.
    upload(m, 3, {});
    EXPECT_TRUE(m.memory().macros.at(3).complete);
    EXPECT_TRUE(m.memory().macros.at(3).data.empty());
}

TEST(FirmwareModel, LongMacroSurvivesTheWrappingChunkPosition) {
    // 168 commands: 504 bytes in 21 chunks; chunk 20 carries position 0x45.
    FirmwareModel m;
    std::vector<uint8_t> data(504);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);
    upload(m, 4, data);
    EXPECT_EQ(m.memory().macros.at(4).data, data);
    EXPECT_EQ(m.memory().macros.at(4).chunks, 21);
    EXPECT_TRUE(m.memory().macros.at(4).complete);
}

TEST(FirmwareModel, StrayChunksAreDropped) {
    FirmwareModel m;
    const auto data = sequenceBytes(25);
    write(m, Link::Wired, chunk(1, 0x13, data));  // second chunk of an upload never begun
    EXPECT_FALSE(m.memory().macros.count(1) && !m.memory().macros.at(1).data.empty());
    write(m, Link::Wired, chunk(0, 0x01, data));   // slot 0 does not exist
    write(m, Link::Wired, chunk(16, 0x01, data));  // nor does slot 16
    EXPECT_FALSE(m.memory().macros.count(0));
    EXPECT_FALSE(m.memory().macros.count(16));

    // A lost middle chunk ends the upload where the gap is; the rest is not glued on wrongly.
    write(m, Link::Wired, chunk(2, 0x03, data));
    write(m, Link::Wired, chunk(2, 0x23, sequenceBytes(5)));
    EXPECT_EQ(m.memory().macros.at(2).data, data);
    EXPECT_FALSE(m.memory().macros.at(2).complete);
}

TEST(FirmwareModel, EndlessFullChunksStopGrowingTheSlot) {
    FirmwareModel m;
    const auto data = sequenceBytes(25);
    for (int c = 0; c < 200; ++c)
        write(m, Link::Wired, chunk(1, static_cast<uint8_t>((c & 0x0F) << 4), data));
    EXPECT_LE(m.memory().macros.at(1).data.size(), 48u * 25u);
}

TEST(FirmwareModel, FactoryResetRestoresDefaultsButNotIdentity) {
    FirmwareModel m(MouseCondition{.sensorCode = 0x35, .macId = 0xABCDEF});
    const MouseMemory fresh = m.memory();
    write(m, Link::Wired, frame(0x04, {0, 0x00, 0x00, 0x00}));
    write(m, Link::Wired, frame(0x07, {1}));
    write(m, Link::Wired, frame(0x01, {0x01, 0x00}));
    upload(m, 1, sequenceBytes(6));

    write(m, Link::Wired, frame(0x0F, {0x00}));  // anything but 0xFF is not a reset
    EXPECT_EQ(m.memory().pollingInterval, 1);

    write(m, Link::Wired, frame(0x0F, {0xFF}));
    EXPECT_EQ(m.memory().buttons, fresh.buttons);
    EXPECT_EQ(m.memory().pollingInterval, 2);
    EXPECT_EQ(m.memory().dpi, fresh.dpi);
    EXPECT_TRUE(m.memory().macros.empty());
    EXPECT_EQ(m.memory().dataChange, kFactoryDataChange);
    EXPECT_EQ(m.condition().macId, 0xABCDEFu);
    // The sensor decides the DPI codes of the defaults: 0x35 counts from index 0.
    EXPECT_EQ(m.memory().dpi[2], 9);
    EXPECT_EQ(FirmwareModel(MouseCondition{.sensorCode = 0x25}).memory().dpi[2], 3);
}

TEST(FirmwareModel, UserButtonsSendNotificationThroughCableOrReceiver) {
    FirmwareModel m;
    auto n = m.userSetPollingInterval(4);
    ASSERT_TRUE(n.ok());
    ASSERT_EQ(n->size(), 1u);
    EXPECT_EQ((*n)[0].via, Link::Wired);
    const Report& r = (*n)[0].report;
    EXPECT_EQ(r[0], 5);
    EXPECT_EQ(r[1], 6);
    EXPECT_EQ(r[3], 4);
    EXPECT_EQ(r[4], 2);  // factory level 1, reported 1-based

    m.setPlugged(Link::Wired, false);
    m.condition().online = false;
    n = m.userCycleDpiLevel();  // the press wakes the mouse
    ASSERT_TRUE(n.ok());
    ASSERT_EQ(n->size(), 1u);
    EXPECT_EQ((*n)[0].via, Link::Receiver);
    EXPECT_EQ((*n)[0].report[4], 3);
    EXPECT_TRUE(m.condition().online);
    EXPECT_EQ(m.memory().dpiLevel, 2);
    EXPECT_EQ(m.memory().dpi[0] >> 4, 3);

    m.setPlugged(Link::Receiver, false);
    n = m.userSelectDpiLevel(0);
    ASSERT_TRUE(n.ok());
    EXPECT_TRUE(n->empty());  // nobody to tell, but the level changed
    EXPECT_EQ(m.memory().dpiLevel, 0);

    EXPECT_FALSE(m.userSelectDpiLevel(4).ok());  // four levels enabled
    EXPECT_FALSE(m.userSetPollingInterval(3).ok());
}

TEST(FirmwareModel, DpiCycleWrapsOverTheEnabledLevels) {
    FirmwareModel m;
    Report dpi = frame(0x05, {0x12, 0x03});  // level 1 of two enabled levels
    dpi[6] = 10;
    write(m, Link::Wired, dpi);
    ASSERT_TRUE(m.userCycleDpiLevel().ok());
    EXPECT_EQ(m.memory().dpiLevel, 1);
    ASSERT_TRUE(m.userCycleDpiLevel().ok());
    EXPECT_EQ(m.memory().dpiLevel, 0);
}
