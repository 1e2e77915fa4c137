#include <gtest/gtest.h>

#include "TestFiles.h"
#include "profile/LanguageTable.h"
#include "profile/ProfileFile.h"

namespace orvane {
namespace {

using testing::Utf16File;

Profile Sample() {
    LanguageTable names;
    names.SetText(85, u"Jeu");
    names.SetText(20, u"Left");
    Profile p;
    ResetProfileToDefaults(p, 0, names, 0x3370);
    p.keys[2].KeyName = u"Ctrl+C=copy \U0001F600";
    p.keys[2].KeyMacro.Name = u"\U0001F600 macro";
    p.keys[2].KeyMacro.InsertAction(0, 0xF4010003);
    p.keys[2].KeyMacro.SetAction(335, 0x12345678);
    p.pairs[1].name = u"Renamed";
    p.XYSetting[7] = 0xABCD;
    return p;
}

std::vector<std::string> Lines(const Profile& p) {
    const std::string bytes = FormatProfileFile(p);
    LineReader r(bytes);
    std::vector<std::string> out;
    while (auto l = r.Next()) out.push_back(toUtf8(*l));
    return out;
}

Result<Profile> ParseLines(const std::vector<std::string>& lines, const Profile& base = {}) {
    return ParseProfileFile(Utf16File(lines), base);
}

TEST(ProfileFile, LayoutOfAFreshDefaultProfile) {
    const auto lines = Lines(Sample());
    ASSERT_EQ(lines.size(), 86u);
    EXPECT_EQ(lines[0], "[Setting]");
    EXPECT_EQ(lines[1], "ProfileName=Jeu");
    EXPECT_EQ(lines[2], "Renamed=");
    EXPECT_EQ(lines[20], "DPIOffOnFlagValue=0F");
    EXPECT_EQ(lines[21], "\tXYSetting1Value=0007");
    EXPECT_EQ(lines[29], "\tCurrentDPILevelValue=01");
    EXPECT_EQ(lines[31], "\tDPILevelIndication1Valuer=FF00FF");
    EXPECT_EQ(lines[32], "\tDPILevelIndication2Valuer=0000FF");  // 0xFF0000 is blue: red byte first
    EXPECT_EQ(lines[41], "\tPollingRateValue=020000");
    EXPECT_EQ(lines[46], "\tLighting1Brightness=01|01|01|03|01|01|01|01|01|01");
    EXPECT_EQ(lines[47].substr(0, 60), "\tLighting1ColorSelected=00|00|00|00|00|00|00|00|00|00;00|00|");
    EXPECT_EQ(lines[47].size(), 24u + 300u);
    EXPECT_EQ(lines[48].size(), 21u + 700u);
    EXPECT_EQ(lines[48].substr(21 + 140, 14), "FF0000|00FF00|");
    EXPECT_EQ(lines[55], "\tLighting2FixedColor=000000");
    EXPECT_EQ(lines[56], "Key0Name=Left");
    EXPECT_EQ(lines[57], "\tKey0Value=100100");
    EXPECT_EQ(lines[58], "\tMacroKey0Name=");
    EXPECT_EQ(lines[59], "\t\tMacroActionNum=0");
    EXPECT_EQ(lines[60].size(), 12u + 2688u);
    EXPECT_EQ(lines[70].substr(0, 20), "\t\tAllAction=030001F4");
    EXPECT_EQ(lines[70].substr(lines[70].size() - 8), "78563412");
}

TEST(ProfileFile, RoundTripIsExactAndStable) {
    const Profile p = Sample();
    const std::string bytes = FormatProfileFile(p);
    auto read = ParseProfileFile(bytes, Profile{});
    ASSERT_TRUE(read.ok()) << read.error().context;
    EXPECT_EQ(*read, p);
    EXPECT_EQ(FormatProfileFile(*read), bytes);
}

TEST(ProfileFile, LoopSettingsOfKeyMacrosComeFromTheBase) {
    Profile base;
    base.keys[1].KeyMacro.LoopType = 4;
    base.keys[1].KeyMacro.LoopNum = 9;
    auto read = ParseProfileFile(FormatProfileFile(Sample()), base);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->keys[1].KeyMacro.LoopType, 4);
    EXPECT_EQ(read->keys[1].KeyMacro.LoopNum, 9);
}

TEST(ProfileFile, MalformedFilesFail) {
    const auto good = Lines(Sample());
    auto with = [&](size_t index, const std::string& line) {
        auto lines = good;
        lines[index] = line;
        return ParseLines(lines).ok();
    };
    EXPECT_TRUE(with(3, "GameFile1="));
    EXPECT_FALSE(with(0, "[Setting] "));
    EXPECT_FALSE(with(3, "=value"));           // a pair needs a name
    EXPECT_FALSE(with(30, "\n"));              // a blank line has no "="
    EXPECT_FALSE(with(58 + 15, "no equals"));  // MacroKey name line of key 3
    EXPECT_TRUE(with(58, "=empty name is fine here"));
    EXPECT_FALSE(with(59, "\t\tMacroActionNum="));
    EXPECT_FALSE(with(60, "\t\tAllAction=" + std::string(2687, '0')));
    EXPECT_FALSE(with(60, "\t\tAllAction=" + std::string(2689, '0')));
    auto crlf = testing::Utf16Raw(u"[Setting]\r\n");
    EXPECT_FALSE(ParseProfileFile(crlf, Profile{}).ok());
    auto truncated = good;
    truncated.pop_back();
    EXPECT_FALSE(ParseLines(truncated).ok());
}

TEST(ProfileFile, ValuesAreTakenPositionally) {
    auto lines = Lines(Sample());
    lines[56] = "Key0Name=A=B";
    lines[21] = "\tWhatever=7";
    lines[30] = "\tDPILevelIndication0Valuer=ZZ8000";
    lines[59] = "\t\tMacroActionNum=400";
    lines[45] = "\tLighting1Speed=0A|0B";
    lines.push_back("trailing=ignored");
    lines.push_back("");
    auto read = ParseLines(lines);
    ASSERT_TRUE(read.ok()) << read.error().context;
    EXPECT_EQ(read->keys[0].KeyName, u"A=B");
    EXPECT_EQ(read->XYSetting[0], 7);
    EXPECT_EQ(read->DPILevelIndication[0], 0x008000u);  // red unreadable, green 0x80
    EXPECT_EQ(read->keys[0].KeyMacro.ActionCount, 400u);
    EXPECT_EQ(read->Lighting1Speed, (std::array<uint8_t, 10>{0x0A, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ProfileFile, ErrorsNameTheLine) {
    auto lines = Lines(Sample());
    lines[40] = "no equals";
    auto read = ParseLines(lines);
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.error().context.find("line 41"), std::string::npos) << read.error().context;
}

}  // namespace
}  // namespace orvane
