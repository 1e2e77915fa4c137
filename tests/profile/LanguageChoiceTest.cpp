#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "TestFiles.h"
#include "profile/AppData.h"
#include "profile/LanguageChoice.h"
#include "profile/LanguageFile.h"

namespace orvane {
namespace {

using testing::Utf16File;

EnvironmentLookup Environment(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const char* name) -> std::optional<std::string> {
        const auto found = vars.find(name);
        if (found == vars.end()) return std::nullopt;
        return found->second;
    };
}

TEST(LocaleLanguage, TheFirstSetVariableDecidesAndUnservedLocalesGetEnglish) {
    struct Case {
        std::map<std::string, std::string> env;
        std::u16string_view code;
        const char* why;
    };
    const Case cases[] = {
        {{}, u"EN", "nothing set"},
        {{{"LANG", "zh_CN.UTF-8"}}, u"ZH", "LANG alone, with a codeset"},
        {{{"LANG", "zh_TW"}}, u"ZH", "another region of a served language"},
        {{{"LANG", "zh"}}, u"ZH", "a language without a region"},
        {{{"LANG", "zh_CN@stroke"}}, u"ZH", "with a modifier"},
        {{{"LC_MESSAGES", "zh_CN.GB18030"}, {"LANG", "en_US.UTF-8"}}, u"ZH", "LC_MESSAGES before LANG"},
        {{{"LC_ALL", "en_GB.UTF-8"}, {"LC_MESSAGES", "zh_CN"}}, u"EN", "LC_ALL before LC_MESSAGES"},
        {{{"LC_ALL", "C"}, {"LANG", "zh_CN.UTF-8"}}, u"EN", "LC_ALL=C means the plain locale"},
        {{{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "zh_CN"}}, u"ZH", "empty variables count as unset"},
        {{{"LC_MESSAGES", "C.UTF-8"}, {"LANG", "zh_CN"}}, u"EN", "C with a codeset"},
        {{{"LANG", "POSIX"}}, u"EN", "POSIX"},
        {{{"LANG", "sw_KE.UTF-8"}}, u"EN", "a language we do not ship"},
        {{{"LANG", "zhx_CN"}}, u"EN", "a language code that merely starts like a served one"},
        {{{"LANG", "ZH_cn.utf8"}}, u"ZH", "letter case does not matter"},
    };
    for (const Case& c : cases) EXPECT_EQ(LocaleLanguage(Environment(c.env)).code, c.code) << c.why;
    EXPECT_EQ(LocaleLanguage(EnvironmentLookup{}).code, u"EN") << "no environment at all";
}

TEST(LanguageChoiceRule, ASelectorWithACodeIsTheUsersWordWhateverTheLocale) {
    const auto chinese = Environment({{"LANG", "zh_CN.UTF-8"}});
    const std::string english = Utf16File({"[ChangeLanguage]", "Language=EN"});
    LanguageChoice c = ChooseLanguage(english, chinese);
    EXPECT_TRUE(c.fromSelector);
    EXPECT_EQ(c.code, u"EN");
    EXPECT_EQ(c.file, "Lan_EN.txt");

    // A code we do not know keeps selecting Lan.txt, under an English locale too.
    c = ChooseLanguage(Utf16File({"[ChangeLanguage]", "Language=XX"}), Environment({{"LANG", "en_US"}}));
    EXPECT_TRUE(c.fromSelector);
    EXPECT_EQ(c.code, u"XX");
    EXPECT_EQ(c.file, "Lan.txt");

    // No selector, or one that names no code, leaves the choice to the locale.
    for (std::optional<std::string> selector : {std::optional<std::string>(),
                                                std::optional<std::string>(Utf16File({"[ChangeLanguage]"})),
                                                std::optional<std::string>(Utf16File({"[ChangeLanguage]", "Language="}))}) {
        c = ChooseLanguage(selector ? std::optional<std::string_view>(*selector) : std::nullopt, chinese);
        EXPECT_FALSE(c.fromSelector);
        EXPECT_EQ(c.code, u"ZH");
        EXPECT_EQ(c.file, "Lan.txt");
    }
}

class LanguageChoiceFiles : public testing::TempAppDir {};

TEST_F(LanguageChoiceFiles, AWrittenSelectorIsReadBackAndRemovingItReturnsToTheLocale) {
    const std::filesystem::path config = dir_ / "config";
    const auto chinese = Environment({{"LANG", "zh_CN.UTF-8"}});
    ASSERT_TRUE(WriteLanguageSelector(config, u"EN").ok());
    // The reader's own format: UTF-16 with a byte order mark, header, then Language=CODE.
    EXPECT_EQ(Get(Config("LanSetting.ini")), Utf16File({"[ChangeLanguage]", "Language=EN"}));
    LanguageChoice c = ReadLanguageChoice(config, chinese);
    EXPECT_TRUE(c.fromSelector);
    EXPECT_EQ(c.code, u"EN");

    ASSERT_TRUE(RemoveLanguageSelector(config).ok());
    EXPECT_FALSE(Exists(Config("LanSetting.ini")));
    c = ReadLanguageChoice(config, chinese);
    EXPECT_FALSE(c.fromSelector);
    EXPECT_EQ(c.code, u"ZH");
    EXPECT_TRUE(RemoveLanguageSelector(config).ok()) << "no selector is no failure";

    // A folder that cannot take the file is reported.
    EXPECT_FALSE(WriteLanguageSelector(dir_ / "missing", u"EN").ok());
}

class LanguageFolders : public testing::TempAppDir {
protected:
    void SetUp() override {
        TempAppDir::SetUp();
        shipped_ = dir_ / "share" / "config";
        std::filesystem::create_directories(shipped_);
        app_.configDir = dir_ / "config";
        app_.languageSources.shippedFolder = shipped_;
    }
    std::filesystem::path shipped_;
    AppData app_;
};

TEST_F(LanguageFolders, TheShippedFileIsReadAndTheUsersCopyWinsEntryByEntry) {
    Put(shipped_ / "Lan_EN.txt", Utf16File({"[Setting]", "0=English", "1=Show", "2=Exit", "362=Language"}));
    ASSERT_TRUE(LoadLanguage(app_, 1.0).ok());
    EXPECT_EQ(app_.language.LanguageText(1), u"Show");
    EXPECT_EQ(app_.font.face, u"Tahoma");

    // A copy the user edited (made before entry 362 existed) keeps its wording; the entry it
    // lacks comes from the shipped file instead of staying empty.
    Put(Config("Lan_EN.txt"), Utf16File({"[Setting]", "0=English", "1=Open Orvane"}));
    AppData edited(dir_);
    edited.languageSources.shippedFolder = shipped_;
    ASSERT_TRUE(LoadLanguage(edited, 1.0).ok());
    EXPECT_EQ(edited.language.LanguageText(1), u"Open Orvane");
    EXPECT_EQ(edited.language.LanguageText(2), u"Exit");
    EXPECT_EQ(edited.language.LanguageText(362), u"Language");
}

TEST_F(LanguageFolders, TheLocaleChoosesAmongTheShippedFilesAndTheirPrefixesAreKnown) {
    Put(shipped_ / "Lan_EN.txt", Utf16File({"[Setting]", "0=English", "20=Left click", "190=Macro: "}));
    Put(shipped_ / "Lan.txt", Utf16File({"[Setting]", "0=中文", "20=左键", "190=宏："}));
    app_.languageSources.getenv = Environment({{"LANG", "zh_CN.UTF-8"}});
    ASSERT_TRUE(LoadLanguage(app_, 1.0).ok());
    EXPECT_EQ(app_.language.LanguageText(20), u"左键");
    EXPECT_EQ(app_.font.face, u"宋体");
    EXPECT_THAT(app_.language.OtherWordings(kMacroPrefixEntry), ::testing::ElementsAre(Text(u"Macro: ")));
    EXPECT_THAT(app_.language.OtherWordings(20), ::testing::ElementsAre(Text(u"Left click")));
}

TEST_F(LanguageFolders, ABrokenCopyFailsTheLoadAndKeepsTheInitialFont) {
    Put(shipped_ / "Lan_EN.txt", Utf16File({"[Setting]", "0=English", "1=Show"}));
    Put(Config("Lan_EN.txt"), Utf16File({"[Setting]", "1=Mine", "broken"}));
    EXPECT_FALSE(LoadLanguage(app_, 1.0).ok());
    EXPECT_EQ(app_.language.LanguageText(1), u"Mine");
    EXPECT_EQ(app_.font, FontChoice{});

    AppData nothing(dir_ / "empty");
    EXPECT_FALSE(LoadLanguage(nothing, 1.0).ok()) << "no language file anywhere";
}

}  // namespace
}  // namespace orvane
