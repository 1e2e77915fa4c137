#include <gtest/gtest.h>

#include "TestFiles.h"
#include "profile/ActionText.h"
#include "profile/Settings.h"
#include "profile/SettingsFile.h"
#include "profile/TextFile.h"
#include "profile/TextNumbers.h"

namespace orvane {
namespace {

using testing::Utf16Raw;

std::vector<Text> AllLines(const std::string& bytes) {
    LineReader r(bytes);
    std::vector<Text> out;
    while (auto l = r.Next()) out.push_back(*l);
    return out;
}

TEST(LineReader, KeepsCarriageReturnsAndBlankLinesVisible) {
    EXPECT_EQ(AllLines(Utf16Raw(u"[Setting]\r\na=1\n\nlast")),
              (std::vector<Text>{u"[Setting]\r", u"a=1", u"\n", u"last"}));
}

TEST(LineReader, SkipsTheFirstTwoBytesUnexamined) {
    std::string bytes = Utf16Raw(u"x\n");
    bytes[0] = 'A';
    bytes[1] = 0;
    EXPECT_EQ(AllLines(bytes), (std::vector<Text>{u"x"}));
    EXPECT_TRUE(AllLines("").empty());
    EXPECT_TRUE(AllLines("\xFF").empty());
    // A trailing odd byte cannot form a character.
    EXPECT_EQ(AllLines(Utf16Raw(u"ab") + "c"), (std::vector<Text>{u"ab"}));
}

TEST(LineReader, SingleCharacterLinesAndSurrogatePairs) {
    EXPECT_EQ(AllLines(Utf16Raw(u"a\n\n\n")), (std::vector<Text>{u"a", u"\n", u"\n"}));
    EXPECT_EQ(AllLines(Utf16Raw(u"n=\U0001F600\n")), (std::vector<Text>{u"n=\U0001F600"}));
}

// Only the byte pair 0A 00 at a character's place ends a line: the same bytes straddling two
// characters (U+0A00 then U+0000) or inside one (U+0A0A) are text. Also from a view that starts
// at an odd address, as a view into a larger buffer may.
TEST(LineReader, LineFeedBytesInsideOtherCharactersDoNotEndALine) {
    using namespace std::string_literals;
    const Text first = u"a\u0A00\0b\u0A0A"s;
    const std::vector<Text> expected{first, u"c", u"\u0A41"};
    const std::string bytes = Utf16Raw(first + u"\nc\n\u0A41");
    EXPECT_EQ(AllLines(bytes), expected);
    const std::string shifted = "x" + bytes;
    LineReader r(std::string_view(shifted).substr(1));
    std::vector<Text> lines;
    while (auto l = r.Next()) lines.push_back(*l);
    EXPECT_EQ(lines, expected);
}

// The AllAction value reads each two-character field the way every hex field is read: lower
// case too, up to the first character that is not a hex digit, and no character beyond ASCII
// counts as one (U+0130, U+0146 and U+FF10 end in the bits of "0", "F" and "0").
TEST(ActionText, AllActionFieldsReadLikeEveryHexField) {
    Text hex(kAllActionLength, u'0');
    const Text start = u"a1Bc0000G1\u013011G\uFF10F7\u0146ff0000";
    hex.replace(0, start.size(), start);
    MacroKey key;
    ParseAllActions(hex, key);
    for (uint32_t j = 0; j < 4; ++j) {
        uint32_t expected = 0;
        for (uint32_t b = 0; b < 4; ++b) expected |= HexField(hex, 8 * j + 2 * b, 2) << (8 * b);
        EXPECT_EQ(key.Actions[j], expected) << j;
    }
    EXPECT_EQ(key.Actions[0], 0xBCA1u);
    EXPECT_EQ(key.Actions[1], 0x00010000u);
    EXPECT_EQ(key.Actions[2], 0xFF07u);
    EXPECT_EQ(key.Actions[3], 0u);
    key.Actions[0] = 0x0123ABCDu;
    Text written = u"=";
    AppendAllActions(written, key);
    EXPECT_EQ(written.size(), 1 + kAllActionLength);
    EXPECT_EQ(written.substr(0, 25), u"=CDAB23010000010007FF0000");
}

TEST(TextFileWriter, WritesBomAndLineFeeds) {
    TextFileWriter w;
    w.Line(u"é");
    EXPECT_EQ(w.Bytes(), std::string("\xFF\xFE\xE9\x00\x0A\x00", 6));
}

TEST(TextNumbers, DecimalStopsAtTheFirstNonDigit) {
    EXPECT_EQ(ParseDecimal(u"007"), 7);
    EXPECT_EQ(ParseDecimal(u"7a"), 7);
    EXPECT_EQ(ParseDecimal(u"a7"), 0);
    EXPECT_EQ(ParseDecimal(u" -12"), -12);
    EXPECT_EQ(ParseDecimal(u""), 0);
    EXPECT_EQ(ParseDecimal(u"99999999999"), INT32_MAX);
    EXPECT_EQ(ParseDecimal(u"-99999999999"), INT32_MIN);
}

TEST(TextNumbers, UnsignedCountsReadBackWhatWasWritten) {
    EXPECT_EQ(ParseUnsigned32(u"4294967291"), 4294967291u);
    EXPECT_EQ(ParseUnsigned32(u"-5"), 4294967291u);
    EXPECT_EQ(ParseUnsigned32(u"99999999999"), UINT32_MAX);
    EXPECT_EQ(ParseUnsigned32(u"400x"), 400u);
}

TEST(TextNumbers, HexConversions) {
    EXPECT_EQ(ParseHexSigned(u"0x3370"), 0x3370);
    EXPECT_EQ(ParseHexSigned(u"0xFFFFFFFF"), INT32_MAX);
    EXPECT_EQ(ParseHexSigned(u"0x  12"), 0x12);
    EXPECT_EQ(ParseHexSigned(u"0x   "), 0);
    EXPECT_EQ(ParseHexSigned(u"0x G"), 0);
    EXPECT_EQ(ParseHexSigned(u"cc8f"), 0xCC8F);
    EXPECT_EQ(HexField(u"=7", 1, 4), 7u);
    EXPECT_EQ(HexField(u"=G1FF", 1, 2), 0u);
    EXPECT_EQ(HexField(u"=1G", 1, 2), 1u);
    EXPECT_EQ(HexField(u"=ABCDEF", 3, 2), 0xCDu);
    EXPECT_EQ(HexField(u"=", 5, 2), 0u);
}

// "0x%4X" pads small values with blanks; every hex setting must read them back unchanged.
TEST(TextNumbers, HexSettingsReadBackBelowFourDigits) {
    Settings written;
    written.ResetToDefaults("/app");
    written.SetMacId(0x123);
    written.SetDataChange(0xFE);
    written.SetSensor(0x3370);
    written.SetPreST(0x5);
    EXPECT_EQ(written.GetValue(SettingKey::Mac_ID), u"0x 123");
    EXPECT_EQ(written.GetValue(SettingKey::DataChange), u"0x  FE");
    auto read = ParseSettingsFile(FormatSettingsFile(written), Settings{});
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->GetMacId(), 0x123);
    EXPECT_EQ(read->GetDataChange(), 0xFE);
    EXPECT_EQ(read->GetPreST(), 0x5);
    EXPECT_EQ(read->GetSensor(), 0x3370);
    for (uint32_t v : {0u, 0xAu, 0xFFFu, 0x1000u, 0xFFFFFFu}) {
        written.SetMacId(v);
        EXPECT_EQ(uint32_t(written.GetMacId()), v) << v;
    }
}

TEST(TextNumbers, Formatting) {
    Text t;
    AppendHex2(t, 0x0A);
    AppendHex4(t, 0x00FF);
    AppendDecimal(t, -305);
    EXPECT_EQ(t, u"0A00FF-305");
    EXPECT_EQ(FormatHexSetting(0x3370), u"0x3370");
    EXPECT_EQ(FormatHexSetting(0x12), u"0x  12");
    EXPECT_EQ(FormatHexSetting(0xFFFFFF), u"0xFFFFFF");
}

}  // namespace
}  // namespace orvane
