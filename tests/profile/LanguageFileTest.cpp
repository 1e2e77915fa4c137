#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "TestFiles.h"
#include "profile/AppData.h"
#include "profile/LanguageFile.h"
#include "profile/Languages.h"
#include "profile/MacroLibraryFile.h"

namespace orvane {
namespace {

using testing::Utf16File;

Text Selected(const std::vector<std::string>& lines) {
    const std::string bytes = Utf16File(lines);
    return ParseLanguageSelector(bytes);
}

TEST(LanguageSelector, Variants) {
    EXPECT_EQ(LanguageFileName(Selected({"[ChangeLanguage]", "Language=EN"})), "Lan_EN.txt");
    EXPECT_EQ(LanguageFileName(Selected({"[ChangeLanguage]", "EN"})), "Lan_EN.txt");
    EXPECT_EQ(LanguageFileName(Selected({"EN"})), "Lan_EN.txt");
    EXPECT_EQ(LanguageFileName(Selected({"[ChangeLanguage]", "Language=en"})), "Lan.txt");
    EXPECT_EQ(LanguageFileName(Selected({"[ChangeLanguage]", "Language=EN "})), "Lan.txt");
    EXPECT_EQ(LanguageFileName(Selected({"[ChangeLanguage]", "=EN"})), "Lan.txt");
    EXPECT_EQ(LanguageFileName(Selected({"[ChangeLanguage]", "Language="})), "Lan.txt");
    EXPECT_EQ(LanguageFileName(Selected({"[ChangeLanguage]"})), "Lan.txt");
    EXPECT_EQ(LanguageFileName(ParseLanguageSelector(std::nullopt)), "Lan.txt");
    EXPECT_EQ(
        LanguageFileName(ParseLanguageSelector(testing::Utf16Raw(u"[ChangeLanguage]\r\nLanguage=EN\r\n"))),
        "Lan.txt");
}

TEST(LanguageFile, IndicesAndReplacement) {
    LanguageTable t;
    auto r = ParseLanguageFile(Utf16File({"[Setting]", "007=seven", "7a=again", "3=a=b", "-1=neg", "500=big",
                                          "99999999999=huge", "1= "}),
                               t);
    EXPECT_TRUE(r.status.ok());
    EXPECT_EQ(r.entriesStored, 4);
    EXPECT_EQ(t.LanguageText(7), u"again");
    EXPECT_EQ(t.LanguageText(3), u"a=b");
    EXPECT_EQ(t.LanguageText(1), u" ");
    EXPECT_EQ(t.LanguageText(499), u"");
    EXPECT_EQ(t.LanguageText(500), u"");
    EXPECT_EQ(t.LanguageText(-1), u"");
}

TEST(LanguageFile, MalformedLineKeepsWhatCameBefore) {
    std::vector<std::string> lines = {"[Setting]"};
    for (int i = 0; i < 10; ++i) lines.push_back(std::to_string(i) + "=t" + std::to_string(i));
    lines.push_back("11=");
    lines.push_back("12=never");
    LanguageTable t;
    auto r = ParseLanguageFile(Utf16File(lines), t);
    EXPECT_FALSE(r.status.ok());
    EXPECT_EQ(t.LanguageText(9), u"t9");
    EXPECT_EQ(t.LanguageText(12), u"");
    EXPECT_FALSE(ParseLanguageFile(Utf16File({"[setting]", "0=x"}), t).status.ok());
}

TEST(LanguageFile, FontFollowsEntryZero) {
    LanguageTable t;
    t.SetText(0, u"中文");
    EXPECT_EQ(ChooseFont(t, 2.0), (FontChoice{u"宋体", 24, 134}));
    t.SetText(0, u"English");
    EXPECT_EQ(ChooseFont(t, 1.0), (FontChoice{u"Tahoma", 16, 1}));
    // Japanese: its own face (not the Chinese one, whose forms of shared characters differ), at
    // the Chinese sizes, with the Japanese character set.
    t.SetText(0, u"日本語");
    EXPECT_EQ(ChooseFont(t, 1.0), (FontChoice{u"MS UI Gothic", 12, 128}));
    EXPECT_EQ(ChooseFont(t, 2.0), (FontChoice{u"MS UI Gothic", 24, 128}));
    // Cyrillic and accented Latin are drawn by the Latin face.
    t.SetText(0, u"Русский");
    EXPECT_EQ(ChooseFont(t, 2.0), (FontChoice{u"Tahoma", 32, 1}));
    t.SetText(0, u"Português (Brasil)");
    EXPECT_EQ(ChooseFont(t, 1.0), (FontChoice{u"Tahoma", 16, 1}));
}

class LanguageLoad : public testing::TempAppDir {};

TEST_F(LanguageLoad, FailureKeepsTheInitialFont) {
    AppData app(dir_);
    Put(Config("LanSetting.ini"), Utf16File({"[ChangeLanguage]", "Language=XX"}));
    Put(Config("Lan.txt"), Utf16File({"[Setting]", "0=Deutsch", "1=Öffnen", "oops"}));
    EXPECT_FALSE(LoadLanguage(app, 1.0).ok());
    EXPECT_EQ(app.language.LanguageText(1), u"Öffnen");
    EXPECT_EQ(app.font, FontChoice{});
    Put(Config("LanSetting.ini"), Utf16File({"[ChangeLanguage]", "Language=EN"}));
    Put(Config("Lan_EN.txt"), Utf16File({"[Setting]", "0=English"}));
    EXPECT_TRUE(LoadLanguage(app, 1.0).ok());
    EXPECT_EQ(app.font.face, u"Tahoma");
    EXPECT_EQ(app.language.LanguageText(1), u"Öffnen");  // the table is never cleared
}

TEST_F(LanguageLoad, TheOtherLanguageFilesWordingsOfTheMacroPrefixAreKept) {
    AppData app(dir_);
    Put(Config("LanSetting.ini"), Utf16File({"[ChangeLanguage]", "Language=EN"}));
    Put(Config("Lan_EN.txt"), Utf16File({"[Setting]", "0=English", "190=Macro: "}));
    Put(Config("Lan.txt"), Utf16File({"[Setting]", "0=中文", "190=宏："}));
    Put(Config("Lan_DE.txt"), Utf16File({"[Setting]", "0=Deutsch", "190=Makro: ", "bad"}));
    Put(Config("Lan_FR.txt"), Utf16File({"[Setting]", "0=Français", "190=Macro: "}));
    Put(Config("notes.txt"), Utf16File({"[Setting]", "190=Note: "}));
    ASSERT_TRUE(LoadLanguage(app, 1.0).ok());
    EXPECT_EQ(app.language.LanguageText(kMacroPrefixEntry), u"Macro: ");
    auto others = app.language.OtherWordings(kMacroPrefixEntry);
    std::sort(others.begin(), others.end());
    // The same wording as the loaded file adds nothing; a file that breaks off still counts.
    EXPECT_EQ(others, (std::vector<Text>{u"Makro: ", u"宏："}));
    EXPECT_TRUE(app.language.OtherWordings(34).empty());
}

// Every text that some window, menu or message of the application names by index.
constexpr int kNamedEntries[] = {
    0,   1,   2,   3,   4,   5,   7,   8,   9,   10,  11,  13,  14,  15,  19,  20,  21,  22,  23,
    24,  25,  26,  27,  28,  29,  30,  31,  32,  34,  40,  41,  42,  45,  46,  47,  48,  49,  50,
    51,  52,  53,  54,  60,  61,  62,  63,  64,  65,  66,  67,  68,  75,  76,  77,  78,  79,  80,
    85,  86,  87,  88,  89,  90,  91,  92,  93,  100, 101, 140, 141, 142, 143, 144, 145, 146, 147,
    148, 149, 151, 152, 153, 154, 155, 156, 170, 171, 172, 173, 174, 175, 176, 180, 190, 191, 192, 193, 194, 195, 196,
    197, 198, 199, 200, 201, 202, 203, 204, 205, 206, 220, 221, 230, 231, 232, 233, 234, 235, 236,
    237, 238, 239, 240, 241, 242, 260, 265, 266, 270, 271, 272, 273, 300, 301, 302, 303, 304, 305, 306, 307,
    308, 309, 320, 321, 322, 323, 324, 325, 326, 327, 330, 331, 332, 333, 334, 335, 336, 337, 338, 339, 340,
    341, 342, 343, 344, 345, 346, 360, 361, 362, 363, 364, 365, 380, 381, 382,
    383, 384, 385};

// The build places the test programs in tests/ beside bin/, where the run-time files are.
std::filesystem::path ShippedConfig(const char* name) {
    const char* runtime = std::getenv("ORVANE_RUNTIME_DIR");
    const std::filesystem::path bin =
        runtime != nullptr && *runtime != '\0'
            ? std::filesystem::path(runtime)
            : std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin";
    return bin / "config" / name;
}

class ShippedFiles : public ::testing::Test {
protected:
    static std::filesystem::path Shipped(const char* name) { return ShippedConfig(name); }
};

// The placeholders of a text in order ("%d", "%s", "%%"): a translation must keep them.
std::vector<Text> Placeholders(const Text& text) {
    std::vector<Text> found;
    for (size_t i = text.find(u'%'); i != Text::npos && i + 1 < text.size(); i = text.find(u'%', i + 2))
        found.push_back(text.substr(i, 2));
    return found;
}

TEST_F(ShippedFiles, EveryLanguageNamesEveryEntryInUseWithTheSamePlaceholders) {
    LanguageTable english;
    auto englishBytes = ReadFileBytes(Shipped("Lan_EN.txt"));
    ASSERT_TRUE(englishBytes.ok());
    ASSERT_TRUE(ParseLanguageFile(*englishBytes, english).status.ok());
    for (int i : kNamedEntries) EXPECT_FALSE(english.LanguageText(i).empty()) << "English entry " << i;
    for (const ShippedLanguage& language : ShippedLanguages()) {
        const std::string name(language.file);
        auto bytes = ReadFileBytes(Shipped(name.c_str()));
        ASSERT_TRUE(bytes.ok()) << name;
        LanguageTable t;
        auto r = ParseLanguageFile(*bytes, t);
        EXPECT_TRUE(r.status.ok()) << name;
        EXPECT_EQ(t.LanguageText(0), language.ownName) << name;
        EXPECT_EQ(LanguageFileName(language.code), language.file);
        for (int i = 0; i < LanguageTable::kSize; ++i) {
            const Text& reference = english.LanguageText(i);
            if (reference.empty()) continue;
            EXPECT_FALSE(t.LanguageText(i).empty()) << name << " entry " << i;
            EXPECT_EQ(Placeholders(t.LanguageText(i)), Placeholders(reference)) << name << " entry " << i;
        }
    }
}

TEST_F(ShippedFiles, TheEnglishFileIsReadWithTheMacroPrefixesOfTheOthers) {
    AppData app(Shipped("x").parent_path().parent_path());
    ASSERT_TRUE(LoadLanguage(app, 1.0).ok());
    EXPECT_EQ(app.language.LanguageText(190), u"Macro: ");
    // Buttons named while another shipped language was in use keep their macros.
    const auto others = app.language.OtherWordings(kMacroPrefixEntry);
    EXPECT_THAT(others, ::testing::Contains(Text(u"宏："))) << "the Chinese wording";
    EXPECT_EQ(app.font.face, u"Tahoma");
}

// The shipped language files in a folder of their own, each selected in turn.
class ShippedLanguageFiles : public testing::TempAppDir {};

TEST_F(ShippedLanguageFiles, EachLoadsWithItsFontAndEveryOthersMacroPrefix) {
    for (const ShippedLanguage& l : ShippedLanguages()) {
        const std::string file(l.file);
        std::filesystem::copy_file(ShippedConfig(file.c_str()), Config(file));
    }
    std::map<Text, std::string> prefixes;  // wording -> a file using it
    for (const ShippedLanguage& language : ShippedLanguages()) {
        const std::string name(language.file);
        Put(Config("LanSetting.ini"), Utf16File({"[ChangeLanguage]", "Language=" + toUtf8(language.code)}));
        AppData app(dir_);
        ASSERT_TRUE(LoadLanguage(app, 2.0).ok()) << name;
        ASSERT_EQ(app.language.LanguageText(0), language.ownName) << name;
        // Japanese is the one language besides Chinese that must not be drawn with the Latin
        // face's fallback (Chinese forms of the shared characters).
        const Text expectedFace = language.localeLanguage == "zh"   ? u"宋体"
                                  : language.localeLanguage == "ja" ? u"MS UI Gothic"
                                                                    : u"Tahoma";
        EXPECT_EQ(app.font.face, expectedFace) << name;
        // A macro button's name is the prefix and then the macro's name: the prefix ends in a
        // separator, so that where the macro's name begins is plain.
        const Text& prefix = app.language.LanguageText(kMacroPrefixEntry);
        EXPECT_TRUE(prefix.ends_with(u": ") || prefix.ends_with(u"：")) << name;
        prefixes.emplace(prefix, name);
        // A button named while any other language was in use keeps its macro.
        for (const ShippedLanguage& other : ShippedLanguages()) {
            const std::string otherName(other.file);
            LanguageTable t;
            ASSERT_TRUE(ReadLanguageFile(Config(otherName), t).status.ok()) << otherName;
            const Text& theirs = t.LanguageText(kMacroPrefixEntry);
            if (theirs == prefix) continue;
            EXPECT_THAT(app.language.OtherWordings(kMacroPrefixEntry), ::testing::Contains(theirs))
                << name << " with " << otherName;
        }
    }
    // One wording that starts another would take the other's buttons for its own.
    for (const auto& [a, fileA] : prefixes)
        for (const auto& [b, fileB] : prefixes)
            if (a != b) {
                EXPECT_FALSE(b.starts_with(a)) << fileA << " / " << fileB;
            }
}

TEST_F(ShippedFiles, MacroLibraryHasASetWithExamples) {
    MacroLibrary lib;
    ASSERT_TRUE(ReadLibraryFile(lib, Shipped("MacroLibraryFile.mlf")).ok());
    ASSERT_GE(lib.SetCount(), 1u);
    EXPECT_GE(lib.FindSet(0)->KeyCount(), 2u);
    EXPECT_EQ(lib.FindSet(0)->FindKey(0)->GetAction(0), 0xE0u);
}

}  // namespace
}  // namespace orvane
