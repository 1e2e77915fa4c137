#include <gtest/gtest.h>

#include "TestFiles.h"
#include "profile/AppData.h"
#include "profile/MacroLibraryFile.h"
#include "profile/NameRules.h"
#include "profile/ProfileFile.h"
#include "profile/SettingsFile.h"
#include "profile/Storage.h"

namespace orvane {
namespace {

TEST(NameRules, MacroNamesFollowTheDialogRules) {
    EXPECT_EQ(CheckMacroName(u"").problem, NameProblem::Empty);
    EXPECT_TRUE(CheckMacroName(Text(24, u'x')).ok());
    EXPECT_EQ(CheckMacroName(Text(25, u'x')).problem, NameProblem::TooLong);
    EXPECT_TRUE(CheckMacroName(u" ").ok());
    EXPECT_TRUE(CheckMacroName(u"宋体 \U0001F600").ok());  // a surrogate pair is text
    // An empty name shows the empty rule, not the length rule.
    EXPECT_EQ(CheckMacroName(u"").Describe("macro name"), "the macro name is empty");
    EXPECT_EQ(CheckMacroName(Text(30, u'x')).Describe("macro name"),
              "the macro name is longer than 24 characters");
}

TEST(NameRules, ProfileNamesRefuseWhatBreaksALine) {
    EXPECT_TRUE(CheckProfileName(u" ").ok());
    EXPECT_TRUE(CheckProfileName(Text(kProfileNameMaxLength, u'p')).ok());
    EXPECT_EQ(CheckProfileName(Text(kProfileNameMaxLength + 1, u'p')).problem, NameProblem::TooLong);
    for (std::u16string_view bad : {u"a\nb", u"a\r", u"\u2028", u"x\u2029y", u"a\u0085"}) {
        EXPECT_EQ(CheckProfileName(bad).problem, NameProblem::LineBreak) << toUtf8(bad);
    }
    EXPECT_EQ(CheckProfileName(u"a\tb").problem, NameProblem::ControlCharacter);
    EXPECT_EQ(CheckProfileName(std::u16string_view(u"a\0b", 3)).problem, NameProblem::ControlCharacter);
    EXPECT_EQ(CheckProfileName(u"a\x7F").problem, NameProblem::ControlCharacter);
    const char16_t lone[] = {u'a', char16_t(0xD83D), u'b', 0};
    EXPECT_EQ(CheckProfileName(lone).problem, NameProblem::BrokenText);
    const char16_t trailing[] = {char16_t(0xDE00), 0};
    EXPECT_EQ(CheckMacroName(trailing).problem, NameProblem::BrokenText);
    // A line break that is also too long is reported as the line break: that is what breaks a file.
    EXPECT_EQ(CheckProfileName(Text(100, u'p') + u'\n').problem, NameProblem::LineBreak);
}

TEST(NameRules, ProgramNamesAreFileNamesOnOneLine) {
    EXPECT_TRUE(CheckProgramName(u"firefox-esr").ok());
    EXPECT_TRUE(CheckProgramName(Text(255, u'g')).ok());
    EXPECT_EQ(CheckProgramName(Text(256, u'g')).problem, NameProblem::TooLong);
    EXPECT_EQ(CheckProgramName(u"").problem, NameProblem::Empty);
    EXPECT_EQ(CheckProgramName(u"game\nother").problem, NameProblem::LineBreak);
    EXPECT_EQ(CheckProgramName(u"game\t").problem, NameProblem::ControlCharacter);
}

class WritersRefuse : public testing::TempAppDir {};

// Whatever slips past the rules, a writer never produces a file its reader would throw away.
TEST_F(WritersRefuse, TextsTheirReaderWouldReject) {
    MacroLibrary library;
    library.AddSet(u"Set").AddKey(u"two\nlines");
    EXPECT_FALSE(WriteLibraryFile(library, Config("lib.mlf")).ok());
    library.FindSet(0)->FindKey(0)->SetName(u"");
    EXPECT_FALSE(WriteLibraryFile(library, Config("lib.mlf")).ok());
    library.FindSet(0)->FindKey(0)->SetName(u"ok");
    library.FindSet(0)->SetName(u"");
    EXPECT_FALSE(WriteLibraryFile(library, Config("lib.mlf")).ok());
    EXPECT_FALSE(Exists(Config("lib.mlf")));
    library.FindSet(0)->SetName(u"Set");
    ASSERT_TRUE(WriteLibraryFile(library, Config("lib.mlf")).ok());
    EXPECT_TRUE(ParseLibraryFile(Get(Config("lib.mlf"))).ok());

    Profile profile;
    ResetProfileToDefaults(profile, 0, LanguageTable{}, 0x3370);
    profile.SetProfileName(u"a\nb");
    const Status refused = WriteProfileFile(profile, Config("p.psf"));
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message().find("line break"), std::string::npos) << refused.error().message();
    profile.SetProfileName(u"");  // an empty value reads back
    profile.keys[2].KeyMacro.Name = u"m\n";
    EXPECT_FALSE(WriteProfileFile(profile, Config("p.psf")).ok());
    profile.keys[2].KeyMacro.Name = u"";
    profile.pairs[4].name = u"A=B";
    EXPECT_FALSE(WriteProfileFile(profile, Config("p.psf")).ok());
    EXPECT_FALSE(Exists(Config("p.psf")));
    profile.pairs[4].name = u"DoubleClickSpeed";
    ASSERT_TRUE(WriteProfileFile(profile, Config("p.psf")).ok());
    auto back = ReadProfileFileInto(Config("p.psf"), Profile{});
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->GetProfileName(), u"");

    Settings settings;
    settings.ResetToDefaults(dir_);
    EXPECT_TRUE(CheckSettingsFit(settings).ok());
    settings.SetValue(SettingKey::ProfileSlot2URL, u"/a\nb");
    EXPECT_FALSE(CheckSettingsFit(settings).ok());
    settings.ResetToDefaults(dir_);
    settings.SetValue(SettingKey::Mac_ID, u"");
    EXPECT_FALSE(CheckSettingsFit(settings).ok());
}

TEST_F(WritersRefuse, ImportOfAProfileWhoseNameBreaksTheRules) {
    AppData app(dir_);
    LoadSettingsAndProfiles(app);
    const auto before = app.profiles;
    Profile other = app.profiles[0];
    other.SetProfileName(Text(kProfileNameMaxLength + 1, u'n'));
    ASSERT_TRUE(WriteProfileFile(other, dir_ / "long.psf").ok());
    const Status refused = ImportProfile(app, 1, dir_ / "long.psf");
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message().find("profile name is longer"), std::string::npos);
    EXPECT_EQ(app.profiles, before);
    // An empty name is what a default profile has without its language entry: it is imported.
    other.SetProfileName(u"");
    ASSERT_TRUE(WriteProfileFile(other, dir_ / "empty.psf").ok());
    EXPECT_TRUE(ImportProfile(app, 1, dir_ / "empty.psf").ok());
}

}  // namespace
}  // namespace orvane
