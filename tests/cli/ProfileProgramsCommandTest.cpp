// orvanectl profile programs: listing, adding and removing the programs a profile follows.
#include "SessionFixture.h"
#include "profile/ProfileFile.h"
#include "profile/ProfilePrograms.h"

namespace orvane::cli {
namespace {

class ProfileProgramsCommand : public SessionTest {
protected:
    std::vector<Text> stored(int n) {
        auto read = ReadProfileFileInto(dir / "config" / ("default" + std::to_string(n - 1) + ".psf"), Profile{});
        EXPECT_TRUE(read.ok());
        return read ? ProfilePrograms(*read) : std::vector<Text>{};
    }
};

TEST_F(ProfileProgramsCommand, AddListAndRemoveGoToTheProfileFileOnly) {
    ASSERT_EQ(run({"profile", "programs", "2"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "");
    ASSERT_EQ(run({"profile", "programs", "2", "add", "steam"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\"steam\" added to profile 2"), std::string::npos) << out.str();
    ASSERT_EQ(run({"profile", "programs", "2", "add", "/opt/My Game/game"}), kExitOk) << err.str();
    EXPECT_EQ(stored(2), (std::vector<Text>{u"steam", u"/opt/My Game/game"}));
    EXPECT_TRUE(stored(1).empty());
    EXPECT_TRUE(sets().empty());  // nothing for the mouse
    ASSERT_EQ(run({"profile", "programs", "2", "list"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "steam\n/opt/My Game/game\n");
    ASSERT_EQ(run({"--json", "profile", "programs", "2"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\"profile\": 2"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"/opt/My Game/game\""), std::string::npos) << out.str();
    ASSERT_EQ(run({"profile", "programs", "2", "remove", "STEAM"}), kExitOk) << err.str();
    EXPECT_EQ(stored(2), (std::vector<Text>{u"/opt/My Game/game"}));
    ASSERT_EQ(run({"--json", "profile", "programs", "2", "remove", "/opt/My Game/game"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\"ok\": true"), std::string::npos) << out.str();
    EXPECT_TRUE(stored(2).empty());
}

TEST_F(ProfileProgramsCommand, WhatCannotBeDoneFailsAndChangesNothing) {
    for (const char* p : {"a", "b", "c"}) ASSERT_EQ(run({"profile", "programs", "5", "add", p}), kExitOk) << err.str();
    const auto file = dir / "config" / "default4.psf";
    const auto before = fs::last_write_time(file);
    EXPECT_EQ(run({"profile", "programs", "5", "add", "d"}), kExitFailure);
    EXPECT_NE(err.str().find("at most 3 programs"), std::string::npos) << err.str();
    EXPECT_EQ(run({"profile", "programs", "5", "add", "A"}), kExitFailure);
    EXPECT_NE(err.str().find("already follows"), std::string::npos) << err.str();
    EXPECT_EQ(run({"profile", "programs", "5", "remove", "x"}), kExitFailure);
    EXPECT_NE(err.str().find("does not follow \"x\""), std::string::npos) << err.str();
    EXPECT_EQ(run({"--json", "profile", "programs", "5", "remove", "x"}), kExitFailure);
    EXPECT_NE(out.str().find("\"exitCode\": 1"), std::string::npos) << out.str();
    EXPECT_EQ(fs::last_write_time(file), before);
    EXPECT_EQ(stored(5), (std::vector<Text>{u"a", u"b", u"c"}));
}

TEST_F(ProfileProgramsCommand, NamesTheFileCannotKeepAndWrongWordsAreUsageErrors) {
    ASSERT_EQ(run({"profile", "programs", "1"}), kExitOk) << err.str();
    EXPECT_EQ(run({"profile", "programs", "1", "add", "two\nlines"}), kExitUsage);
    EXPECT_NE(err.str().find("line break"), std::string::npos) << err.str();
    EXPECT_EQ(run({"profile", "programs", "1", "add", std::string(kProgramNameMaxLength + 1, 'x')}), kExitUsage);
    EXPECT_EQ(run({"profile", "programs", "1", "add", ""}), kExitUsage);
    EXPECT_EQ(run({"profile", "programs", "6"}), kExitUsage);
    EXPECT_EQ(run({"profile", "programs"}), kExitUsage);
    EXPECT_EQ(run({"profile", "programs", "1", "add"}), kExitUsage);
    EXPECT_EQ(run({"profile", "programs", "1", "list", "x"}), kExitUsage);
    EXPECT_EQ(run({"profile", "programs", "1", "clear"}), kExitUsage);
    EXPECT_TRUE(stored(1).empty());
}

}  // namespace
}  // namespace orvane::cli
