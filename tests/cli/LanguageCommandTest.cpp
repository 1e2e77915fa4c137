#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "cli/CommandReport.h"
#include "cli/ButtonFunction.h"
#include "cli/CommandTable.h"
#include "profile/ButtonNames.h"
#include "profile/LanguageChoice.h"

namespace orvane::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class LanguageCommand : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        environment = [](const char* name) -> std::optional<std::string> {
            if (std::string_view(name) == "LANG") return "zh_CN.UTF-8";
            return std::nullopt;
        };
    }
    fs::path Selector() const { return dir / "config" / kLanguageSelectorFile; }
    std::string Read(const fs::path& p) const {
        auto bytes = ReadFileBytes(p);
        return bytes ? *bytes : std::string("<missing>");
    }
};

TEST_F(LanguageCommand, WithoutAChoiceItSaysTheLocaleDecidesAndListsTheCodes) {
    ASSERT_EQ(run({"language"}), kExitOk) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("language: ZH ("));
    EXPECT_THAT(out.str(), HasSubstr("from the system locale"));
    for (const std::string& code : languageWords()) EXPECT_THAT(out.str(), HasSubstr("\n  " + code + "  ")) << code;
    EXPECT_FALSE(fs::exists(Selector())) << "looking writes nothing";

    ASSERT_EQ(run({"--json", "language"}), kExitOk);
    EXPECT_THAT(out.str(), HasSubstr("\"code\": \"ZH\""));
    EXPECT_THAT(out.str(), HasSubstr("\"source\": \"locale\""));
    EXPECT_THAT(out.str(), HasSubstr("\"languages\": ["));
    EXPECT_THAT(out.str(), Not(HasSubstr("takesEffect")));
}

TEST_F(LanguageCommand, AChosenCodeIsWrittenAsTheSelectorAndOutranksTheLocale) {
    ASSERT_EQ(run({"language", "en"}), kExitOk) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("language set: EN (English), chosen in " + Selector().string()));
    EXPECT_THAT(out.str(), HasSubstr("next start"));
    // The reader's own format: UTF-16 with a byte order mark.
    TextFileWriter expected;
    expected.Line(u"[ChangeLanguage]");
    expected.Line(u"Language=EN");
    EXPECT_EQ(Read(Selector()), expected.Bytes());

    ASSERT_EQ(run({"--json", "language"}), kExitOk);
    EXPECT_THAT(out.str(), HasSubstr("\"code\": \"EN\""));
    EXPECT_THAT(out.str(), HasSubstr("\"source\": \"selector\""));

    ASSERT_EQ(run({"--json", "language", "system"}), kExitOk) << err.str();
    EXPECT_FALSE(fs::exists(Selector()));
    EXPECT_THAT(out.str(), HasSubstr("\"source\": \"locale\""));
    EXPECT_THAT(out.str(), HasSubstr("\"takesEffect\": \"next start\""));
}

TEST_F(LanguageCommand, AnUnknownCodeIsAUsageErrorNamingTheCodesAndChangesNothing) {
    ASSERT_EQ(run({"language", "EN"}), kExitOk);
    const std::string before = Read(Selector());
    EXPECT_EQ(run({"language", "klingon"}), kExitUsage);
    EXPECT_THAT(err.str(), HasSubstr("unknown language klingon"));
    EXPECT_THAT(err.str(), HasSubstr(listWords(languageWords())));
    EXPECT_EQ(Read(Selector()), before);
    EXPECT_EQ(run({"language", "EN", "ZH"}), kExitUsage);
}

TEST_F(LanguageCommand, ASelectorThatCannotBeWrittenIsAFailure) {
    fs::create_directories(Selector());  // a folder in its place
    EXPECT_EQ(run({"language", "EN"}), kExitFailure);
    EXPECT_THAT(err.str(), HasSubstr("cannot save the language choice"));
}

// A function set from the command line while one language was in use is shown in another's
// words: the command line's functions and the shown names agree on every fixed function.
TEST(ButtonNamesFromTheCommandLine, EveryFixedWordIsShownInTheLanguageInUse) {
    LanguageTable before, now;
    for (int i = 0; i < LanguageTable::kSize; ++i) {
        before.SetText(i, u"before " + fromUtf8(std::to_string(i)));
        now.SetText(i, u"now " + fromUtf8(std::to_string(i)));
    }
    for (int entry : StoredNameEntries()) now.AddOtherWording(entry, before.LanguageText(entry));
    MacroLibrary library;
    int checked = 0;
    for (const std::string& word : buttonFunctionWords()) {
        if (word == "key" || word == "macro") continue;
        auto stored = parseButtonFunction({word}, before, library);
        auto fresh = parseButtonFunction({word}, now, library);
        ASSERT_TRUE(stored.ok() && fresh.ok()) << word;
        const KeyAssignment key{stored->name, stored->value, {}};
        EXPECT_EQ(ShownButtonName(key, now), fresh->name) << word;
        ++checked;
    }
    EXPECT_GT(checked, 20);
    // The fire key with its own interval and count.
    auto fire = parseButtonFunction({"fire", "20", "4"}, before, library);
    ASSERT_TRUE(fire.ok());
    EXPECT_EQ(ShownButtonName({fire->name, fire->value, {}}, now), u"now 26");
}

}  // namespace
}  // namespace orvane::cli
