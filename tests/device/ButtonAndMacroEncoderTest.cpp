#include <gtest/gtest.h>

#include "FrameBytes.h"
#include "device/ButtonEncoder.h"
#include "device/KeyTables.h"
#include "device/MacroEncoder.h"

namespace orvane {
namespace {

using test::frameOf;
using test::hexOf;

uint32_t action(uint8_t code, uint8_t state, uint8_t b2 = 0, uint8_t amount = 0) {
    return uint32_t(code) | (uint32_t(state) << 8) | (uint32_t(b2) << 16) | (uint32_t(amount) << 24);
}
uint32_t delay(uint32_t ms) { return action(3, uint8_t(ms >> 16), uint8_t(ms >> 8), uint8_t(ms)); }

MacroKey macroOf(std::initializer_list<uint32_t> actions, uint8_t commandCount) {
    MacroKey m(u"A");
    for (uint32_t a : actions) m.InsertAction(m.ActionCount, a);
    m.CommandActionNum = commandCount;
    return m;
}

TEST(KeyTablesTest, NamesAndUsages) {
    EXPECT_EQ(keyUsage(0xA5), 0xE6);
    EXPECT_EQ(keyUsage(0xA4), 0xE2);
    EXPECT_EQ(keyUsage(0x0A), 0);
    EXPECT_EQ(keyUsage(0x41), 0x04);
    EXPECT_EQ(keyUsage(0x30), 0x27);
    EXPECT_EQ(keyUsage(0x39), 0x26);
    EXPECT_EQ(keyUsage(0x7B), 0x45);
    EXPECT_EQ(keyUsage(0x60), 0x62);
    EXPECT_EQ(keyUsage(0xFB), 0x91);
    EXPECT_EQ(keyName(0xBC), u",");
    EXPECT_EQ(keyName(0x87), u"F24");
    EXPECT_EQ(keyName(0x69), u"Num9");
    EXPECT_EQ(keyName(0x0A), u"Undefined");
    EXPECT_EQ(keyCodeByName(u"ctrl"), 0x11);
    EXPECT_EQ(keyCodeByName(u"page down"), 0x22);
    EXPECT_EQ(keyCodeByName(u"nothing"), -1);
    EXPECT_EQ(rateLabel(1), u"250Hz");
}

TEST(ButtonEncoderTest, ShortcutEncoding) {
    auto s = encodeShortcut(keyvalue::kModCtrl | keyvalue::kModShift, 'C');
    ASSERT_TRUE(s);
    EXPECT_EQ(s->value, (KeyValue{0x70, 0x03, 0x06}));
    EXPECT_EQ(s->name, u"Ctrl+Shift+C");
    s = encodeShortcut(keyvalue::kModWin | keyvalue::kModAlt, 0x28);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->name, u"Alt+Win+Down Arrow");
    EXPECT_FALSE(encodeShortcut(keyvalue::kModCtrl, 0xA2));
}

TEST(ButtonEncoderTest, OnlyKeysTheMouseCanSendMakeAShortcut) {
    // F13 and F24 have no keyboard usage, LBUTTON none either, the generic Ctrl is a modifier,
    // and L Key / Mouse Wheel are our own macro-only codes (usages 0xF0 and 0xF7).
    for (uint8_t code : {0x7C, 0x87, 0x01, 0x11, 0xE0, 0xE7, 0xAF}) {
        EXPECT_FALSE(canBeShortcutKey(code)) << int(code);
        EXPECT_FALSE(encodeShortcut(keyvalue::kModCtrl, code)) << int(code);
    }
    for (uint8_t code : {uint8_t('A'), uint8_t(0x7B), uint8_t(0x2E), uint8_t(0xBC)}) {
        EXPECT_TRUE(canBeShortcutKey(code)) << int(code);
        EXPECT_TRUE(encodeShortcut(0, code)) << int(code);
    }
}

TEST(ButtonEncoderTest, ImageComparesOnlyKeyBytes) {
    Profile p;
    p.keys[3].KeyValue = {0x10, 0x08, 0x00};
    ButtonImage sent = buildButtonImage(p);
    sent[0] = sent[1] = 0xFF;
    EXPECT_TRUE(changedButtons(buildButtonImage(p), sent).none());
    p.keys[3].KeyValue = {0x80, 0xCD, 0x00};
    const auto changed = changedButtons(buildButtonImage(p), sent);
    EXPECT_EQ(changed.count(), 1u);
    EXPECT_TRUE(changed.test(3));
    EXPECT_EQ(buttonFrame(3, p.keys[3].KeyValue), frameOf("0C 01 04 00 00 01 04 03 80 CD 00"));
}

TEST(MacroEncoderTest, EventKinds) {
    EXPECT_EQ(hexOf(encodeEvent(0xE0, 0x00, 0, 0)), "10 00 01");  // left button press
    EXPECT_EQ(hexOf(encodeEvent(0xA3, 0x00, 0, 0)), "20 00 10");  // right Ctrl press
    EXPECT_EQ(hexOf(encodeEvent(0xE5, 0x00, 0xFB, 0)), "40 00 FB");  // move left by 5
    EXPECT_EQ(hexOf(encodeEvent(0xE6, 0x80, 0x05, 0)), "D0 00 05");
    EXPECT_EQ(hexOf(encodeEvent(0xE7, 0x00, 0x01, 0)), "60 00 01");
    EXPECT_EQ(hexOf(encodeEvent(0x41, 0x00, 0, 5000)), "3F FF 04");  // delay limited to 4095
    EXPECT_EQ(hexOf(encodeEvent(0xFB, 0x80, 0, 0)), "A0 00 02");    // usage 0x91 as a modifier bit
}

TEST(MacroEncoderTest, ExampleMacroImageAndChunk) {
    const MacroKey m = macroOf({action(0x41, 0x00), delay(200), action(0x41, 0x80)}, 2);
    const MacroImage img = encodeMacro(m, 1);
    EXPECT_EQ(hexOf(img.data(), 12), "09 90 01 02 30 C8 04 B0 00 04 00 00");
    const auto frames = macroChunkFrames(img, m.CommandActionNum, 1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], frameOf("0C 01 0E 00 00 01 07 01 30 C8 04 B0 00 04"));
    EXPECT_EQ(dataChangeFrame(0x1235), frameOf("0C 01 01 00 00 01 02 35 12"));
}

TEST(MacroEncoderTest, DelaysOnlyFollowAnEvent) {
    // A leading delay and a second delay in a row are dropped.
    const MacroKey m = macroOf({delay(100), action(0x41, 0), delay(300), delay(50), action(0x41, 0x80)}, 2);
    EXPECT_EQ(hexOf(encodeMacro(m, 2).data(), 10), "09 90 02 02 31 2C 04 B0 00 04");
}

TEST(MacroEncoderTest, EveryCodeBelow8IsADelayAsTheListShowsIt) {
    // Codes 0 and 5 are delays like 3: they time the event before them and make none of their own.
    const MacroKey m = macroOf({action(0x41, 0x00), action(0x00, 0x00, 0x00, 200), action(0x41, 0x80),
                                action(0x05, 0x00, 0x01, 0x00), action(0x42, 0x00)},
                               5);
    EXPECT_EQ(hexOf(encodeMacro(m, 1).data(), 16), "09 90 01 03 30 C8 04 B1 00 04 30 00 05 00 00 00");
}

TEST(MacroEncoderTest, TheCountSentIsTheNumberOfEventsMade) {
    // A count kept by other rules (one fewer after a delay edit) must not cut off the release.
    const MacroKey m = macroOf({action(0x41, 0x00), delay(100), action(0x41, 0x80)}, 1);
    const MacroImage img = encodeMacro(m, 1);
    EXPECT_EQ(img[3], 2);
    EXPECT_EQ(encodeMacro(macroOf({action(0x41, 0x00), delay(500), action(0x41, 0x80)}, 3), 1)[3], 2);
}

TEST(MacroEncoderTest, ChunkCountsAndPositions) {
    MacroImage img{};
    for (size_t i = 4; i < img.size(); ++i) img[i] = uint8_t(i);
    auto frames = macroChunkFrames(img, 0, 3);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], frameOf("0C 01 0E 00 00 01 01 03"));

    frames = macroChunkFrames(img, 9, 1);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0][5], 0x02);
    EXPECT_EQ(frames[0][6], 26);
    EXPECT_EQ(frames[0][8], 4);
    EXPECT_EQ(frames[0][32], 28);
    EXPECT_EQ(frames[1][5], 0x12);
    EXPECT_EQ(frames[1][6], 3);
    EXPECT_EQ(hexOf(frames[1].data() + 8, 4), "1D 1E 00 00");

    frames = macroChunkFrames(img, 168, 1);
    ASSERT_EQ(frames.size(), 21u);
    EXPECT_EQ(frames[20][5], 0x45);
    EXPECT_EQ(frames[20][6], 5);
}

TEST(MacroEncoderTest, LongMacrosStayInsideTheImage) {
    // 336 key actions would need 1008 bytes of events; the image ends at 512.
    MacroKey m(u"long");
    for (uint32_t i = 0; i < MacroKey::kSlotCount; ++i) m.InsertAction(i, action(0x41, i % 2 ? 0x80 : 0));
    m.CommandActionNum = 255;
    const MacroImage img = encodeMacro(m, 1);
    EXPECT_EQ(hexOf(img.data() + 505, 6), "B0 00 04 30 00 04");  // the 169th event ends at 510
    EXPECT_EQ(img[511], 0);
    // 765 bytes announced: 31 chunks, the ones past the image carry zeros.
    const auto frames = macroChunkFrames(img, 255, 1);
    ASSERT_EQ(frames.size(), 31u);
    EXPECT_EQ(frames[20][8 + 3], img[4 + 500 + 3]);
    for (size_t c = 21; c < frames.size(); ++c)
        for (size_t k = 8; k < 33; ++k) ASSERT_EQ(frames[c][k], 0) << c << ":" << k;
}

TEST(MacroEncoderTest, MacroKeyValue) {
    EXPECT_EQ(hexOf(macroKeyValue(2, 5, 1)), "90 21 05");
    EXPECT_EQ(hexOf(macroKeyValue(1, 5, 3)), "90 13 00");
}

}  // namespace
}  // namespace orvane
