// The programs a profile follows, kept in its GameFile entries: the list rules and the file.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "profile/LanguageTable.h"
#include "profile/ProfileFile.h"
#include "profile/ProfilePrograms.h"

namespace orvane {
namespace {

using testing::Utf16File;

Profile Fresh() {
    Profile p;
    ResetProfileToDefaults(p, 1, LanguageTable{}, 0x3370);
    return p;
}

std::vector<std::string> Lines(const Profile& p) {
    const std::string bytes = FormatProfileFile(p);
    LineReader r(bytes);
    std::vector<std::string> out;
    while (auto l = r.Next()) out.push_back(toUtf8(*l));
    return out;
}

TEST(ProfilePrograms, AFileWithoutProgramsHasNoneAndProgramsGoToTheGameFileLines) {
    Profile p = Fresh();
    EXPECT_TRUE(ProfilePrograms(p).empty());
    ASSERT_TRUE(AddProfileProgram(p, u"steam").ok());
    ASSERT_TRUE(AddProfileProgram(p, u"/opt/Game Dir/game.x86_64").ok());
    const auto lines = Lines(p);
    EXPECT_EQ(lines[2], "GameFile0=steam");
    EXPECT_EQ(lines[3], "GameFile1=/opt/Game Dir/game.x86_64");
    EXPECT_EQ(lines[4], "GameFile2=");
    auto read = ParseProfileFile(FormatProfileFile(p), Profile{});
    ASSERT_TRUE(read.ok()) << read.error().context;
    EXPECT_EQ(ProfilePrograms(*read), (std::vector<Text>{u"steam", u"/opt/Game Dir/game.x86_64"}));
}

TEST(ProfilePrograms, AGapInTheFileClosesUpAndTheNextChangeWritesThemInOrder) {
    auto lines = Lines(Fresh());
    lines[3] = "GameFile1=blender";
    lines[4] = "GameFile2=krita";
    auto read = ParseProfileFile(Utf16File(lines), Profile{});
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(ProfilePrograms(*read), (std::vector<Text>{u"blender", u"krita"}));
    ASSERT_TRUE(RemoveProfileProgram(*read, u"BLENDER").ok());
    EXPECT_EQ(read->GetPairValue(ProfilePair::GameFile0), u"krita");
    EXPECT_EQ(read->GetPairValue(ProfilePair::GameFile1), u"");
    EXPECT_EQ(read->GetPairValue(ProfilePair::GameFile2), u"");
}

TEST(ProfilePrograms, AtMostThreeAndNoProgramTwice) {
    Profile p = Fresh();
    for (const char16_t* name : {u"a", u"b", u"/usr/bin/a"}) ASSERT_TRUE(AddProfileProgram(p, name).ok());
    const Profile full = p;
    EXPECT_EQ(AddProfileProgram(p, u"d").problem, ProgramListProblem::Full);
    EXPECT_EQ(p, full);
    ASSERT_TRUE(RemoveProfileProgram(p, u"b").ok());
    // The same name in other letters is the same program; another path to it is not.
    EXPECT_EQ(AddProfileProgram(p, u"A").problem, ProgramListProblem::Duplicate);
    EXPECT_EQ(AddProfileProgram(p, u"/usr/bin/a").problem, ProgramListProblem::Duplicate);
    EXPECT_TRUE(AddProfileProgram(p, u"/usr/local/bin/a").ok());
    EXPECT_EQ(SetProfilePrograms(p, {u"x", u"y", u"z", u"w"}).problem, ProgramListProblem::Full);
    EXPECT_EQ(SetProfilePrograms(p, {u"x", u"X"}).problem, ProgramListProblem::Duplicate);
    EXPECT_EQ(ProfilePrograms(p), (std::vector<Text>{u"a", u"/usr/bin/a", u"/usr/local/bin/a"}));
    EXPECT_TRUE(SetProfilePrograms(p, {}).ok());
    EXPECT_TRUE(ProfilePrograms(p).empty());
}

TEST(ProfilePrograms, NamesTheFileCouldNotKeepAreRefusedAndChangeNothing) {
    Profile p = Fresh();
    ASSERT_TRUE(AddProfileProgram(p, u"kept").ok());
    const Profile before = p;
    for (const Text& bad : {Text(u"a\nb"), Text(u"a\rb"), Text(u""), Text(u"tab\there"),
                            Text(kProgramNameMaxLength + 1, u'x')}) {
        const ProgramListChange change = AddProfileProgram(p, bad);
        EXPECT_EQ(change.problem, ProgramListProblem::BadName) << toUtf8(bad);
        EXPECT_EQ(SetProfilePrograms(p, {u"ok", bad}).problem, ProgramListProblem::BadName);
    }
    EXPECT_EQ(p, before);
    EXPECT_TRUE(CheckProfileFits(p).ok());
    EXPECT_TRUE(AddProfileProgram(p, Text(kProgramNameMaxLength, u'x')).ok());
    EXPECT_EQ(AddProfileProgram(p, u"a\nb").Describe(u"a\nb"), "the program name holds a line break");
}

TEST(ProfilePrograms, RemovingAProgramTheProfileDoesNotFollowIsRefused) {
    Profile p = Fresh();
    ASSERT_TRUE(AddProfileProgram(p, u"/usr/bin/game").ok());
    const Profile before = p;
    EXPECT_EQ(RemoveProfileProgram(p, u"game").problem, ProgramListProblem::Absent);
    EXPECT_EQ(RemoveProfileProgram(p, u"/USR/bin/game").problem, ProgramListProblem::Absent);
    EXPECT_EQ(RemoveProfileProgram(p, u"").problem, ProgramListProblem::Absent);
    EXPECT_EQ(p, before);
}

}  // namespace
}  // namespace orvane
