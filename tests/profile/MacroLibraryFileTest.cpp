#include <gtest/gtest.h>

#include "TestFiles.h"
#include "profile/MacroLibraryFile.h"

namespace orvane {
namespace {

using testing::Utf16File;

const std::string kNoActions(2688, '0');

std::vector<std::string> OneKey(const std::string& setName, const std::string& keyName,
                                const std::string& actions = kNoActions) {
    return {"[MacroLibrary]",
            "MacroSetNum=1",
            "\tMacroSet0Name=" + setName,
            "\t\tMacroKeyNum=1",
            "\t\tMacroKey0Name=" + keyName,
            "\t\t\tMacroKey0LoopType=4",
            "\t\t\tMacroKey0LoopNum=7",
            "\t\t\tMacroActionNum=3",
            "\t\t\tMacroCommandActionNum=2",
            "\t\t\tAllAction=" + actions};
}

MacroLibrary Sample() {
    MacroLibrary lib;
    MacroSet& a = lib.AddSet(u"Set \U0001F600");
    MacroKey& k = a.AddKey(u"Key=with equals");
    k.InsertAction(0, 0x00000041);
    k.InsertAction(1, 0x32000003);
    k.SetAction(335, 0xFFFFFFFF);
    k.LoopType = 1;
    k.LoopNum = 255;
    k.CommandActionNum = 1;  // the one key event; the delay travels inside it
    a.AddKey(u"second");
    lib.AddSet(u"Empty set");
    lib.AddSet(u"Third").AddKey(u"x");
    return lib;
}

TEST(MacroLibraryFile, RoundTripIsExactAndStable) {
    const MacroLibrary lib = Sample();
    const std::string bytes = FormatLibraryFile(lib);
    auto read = ParseLibraryFile(bytes);
    ASSERT_TRUE(read.ok()) << read.error().context;
    EXPECT_EQ(*read, lib);
    EXPECT_EQ(FormatLibraryFile(*read), bytes);
}

TEST(MacroLibraryFile, Layout) {
    const std::string bytes = FormatLibraryFile(Sample());
    LineReader r(bytes);
    std::vector<std::string> lines;
    while (auto l = r.Next()) lines.push_back(toUtf8(*l));
    ASSERT_EQ(lines.size(), 2u + 2 + 12 + 2 + 2 + 6);
    EXPECT_EQ(lines[2], "\tMacroSet0Name=Set \U0001F600");
    EXPECT_EQ(lines[5], "\t\t\tMacroKey0LoopType=1");
    EXPECT_EQ(lines[7], "\t\t\tMacroActionNum=2");
    EXPECT_EQ(lines[8], "\t\t\tMacroCommandActionNum=1");
    EXPECT_EQ(lines[9].substr(0, 29), "\t\t\tAllAction=4100000003000032");
    EXPECT_EQ(lines[10], "\t\tMacroKey1Name=second");
    EXPECT_EQ(lines[17], "\t\tMacroKeyNum=0");
    EXPECT_EQ(lines[18], "\tMacroSet2Name=Third");
    EXPECT_EQ(FormatLibraryFile(MacroLibrary{}), Utf16File({"[MacroLibrary]", "MacroSetNum=0"}));
}

TEST(MacroLibraryFile, ValuesAreStoredAsRead) {
    auto read = ParseLibraryFile(Utf16File(OneKey("S", "A=B", "4100000" + std::string(2681, 'F'))));
    ASSERT_TRUE(read.ok()) << read.error().context;
    const MacroKey* k = read->FindSet(0)->FindKey(0);
    EXPECT_EQ(k->Name, u"A=B");
    EXPECT_EQ(k->LoopType, 4);
    EXPECT_EQ(k->LoopNum, 7);
    EXPECT_EQ(k->ActionCount, 3u);
    EXPECT_EQ(k->GetAction(0), 0x0F000041u);
    EXPECT_EQ(k->GetAction(335), 0xFFFFFFFFu);
}

TEST(MacroLibraryFile, EmptyAndZeroCounts) {
    EXPECT_EQ(ParseLibraryFile(Utf16File({"[MacroLibrary]", "MacroSetNum=-3", "junk"}))->SetCount(), 0u);
    auto read = ParseLibraryFile(Utf16File({"[MacroLibrary]", "MacroSetNum=2", "\tMacroSet0Name=a",
                                            "\t\tMacroKeyNum=0", "\tMacroSet1Name=b", "\t\tMacroKeyNum=0"}));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->FindSet(1)->GetName(), u"b");
}

TEST(MacroLibraryFile, MalformedFilesFail) {
    EXPECT_FALSE(ParseLibraryFile(Utf16File(OneKey("", "k"))).ok());  // empty set name
    EXPECT_FALSE(ParseLibraryFile(Utf16File(OneKey("s", ""))).ok());  // empty key name
    EXPECT_FALSE(ParseLibraryFile(Utf16File(OneKey("s", "k", kNoActions + "0"))).ok());
    EXPECT_FALSE(ParseLibraryFile(Utf16File(OneKey("s", "k", kNoActions.substr(1)))).ok());
    auto lines = OneKey("s", "k");
    lines.pop_back();
    EXPECT_FALSE(ParseLibraryFile(Utf16File(lines)).ok());
    EXPECT_FALSE(ParseLibraryFile(testing::Utf16Raw(u"[MacroLibrary]\r\nMacroSetNum=0\r\n")).ok());
    EXPECT_FALSE(ParseLibraryFile("").ok());
}

// One key "k" with these actions (eight hex digits each) and the counts as given.
std::vector<std::string> KeyWith(const std::string& actions, const std::string& actionNum, const std::string& commands) {
    auto lines = OneKey("s", "k", actions + kNoActions.substr(actions.size()));
    lines[7] = "\t\t\tMacroActionNum=" + actionNum;
    lines[8] = "\t\t\tMacroCommandActionNum=" + commands;
    return lines;
}

std::string Repeat(const std::string& action, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += action;
    return out;
}

TEST(MacroLibraryFile, TheCommandCountIsRecountedFromTheActions) {
    // Press A, 500 ms, release A: two events, whatever count another rule wrote.
    auto lines = KeyWith("41000000030001F441800000", "3", "3");
    auto read = ParseLibraryFile(Utf16File(lines));
    ASSERT_TRUE(read.ok()) << read.error().context;
    EXPECT_EQ(read->FindSet(0)->FindKey(0)->CommandActionNum, 2);
    // Written back, only the count differs.
    lines[8] = "\t\t\tMacroCommandActionNum=2";
    EXPECT_EQ(FormatLibraryFile(*read), Utf16File(lines));
    // Any code below 8 is a delay and costs nothing.
    read = ParseLibraryFile(Utf16File(KeyWith("4100000000000064050001F4", "3", "3")));
    ASSERT_TRUE(read.ok()) << read.error().context;
    EXPECT_EQ(read->FindSet(0)->FindKey(0)->CommandActionNum, 1);
}

TEST(MacroLibraryFile, MacrosBeyondTheMouseAreRefusedAndNamed) {
    auto read = ParseLibraryFile(Utf16File(KeyWith(Repeat("41000000", 200), "200", "255")));
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().context, "line 10: macro \"k\" of set 1 has 200 commands; the mouse takes at most 168");
    read = ParseLibraryFile(Utf16File(KeyWith("", "1000", "255")));
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.error().context.find("macro \"k\" of set 1 has 1000 actions; a macro holds at most 336"),
              std::string::npos)
        << read.error().context;
    // The ceiling itself fits; delays between the events cost nothing.
    read = ParseLibraryFile(Utf16File(KeyWith(Repeat("4100000003000064", 168), "336", "0")));
    ASSERT_TRUE(read.ok()) << read.error().context;
    EXPECT_EQ(read->FindSet(0)->FindKey(0)->CommandActionNum, 168);
}

TEST(MacroSet, KeysKeepTheirAddressesAndNamesAreExact) {
    MacroLibrary lib = Sample();
    MacroSet* set = lib.FindSet(0);
    MacroKey* second = set->FindKey(1);
    set->AddKey(u"second");
    for (int i = 0; i < 100; ++i) set->AddKey(u"more");
    EXPECT_EQ(set->FindKey(1), second);
    EXPECT_TRUE(set->DeleteKey(0));
    EXPECT_EQ(set->FindKey(0), second);
    EXPECT_FALSE(set->DeleteKey(500));
    EXPECT_TRUE(set->ContainsKey(u"second"));
    EXPECT_FALSE(set->ContainsKey(u"Second"));
    EXPECT_EQ(lib.FindSet(3), nullptr);
    MacroLibrary copy = lib;
    copy.FindSet(0)->SetName(u"changed");
    EXPECT_EQ(lib.FindSet(0)->GetName(), u"Set \U0001F600");
}

// Errors name the line as an editor numbers it; a missing line is the one after the last.
TEST(MacroLibraryFile, LineNumbersCountFromOne) {
    auto empty = ParseLibraryFile(testing::Utf16Raw(u""));
    ASSERT_FALSE(empty.ok());
    EXPECT_EQ(empty.error().context, "line 1: not the macro library header");
    auto headerOnly = ParseLibraryFile(Utf16File({"[MacroLibrary]"}));
    ASSERT_FALSE(headerOnly.ok());
    EXPECT_EQ(headerOnly.error().context, "line 2: file ends before set count");
    auto lines = OneKey("s", "k");
    lines.pop_back();
    auto shortFile = ParseLibraryFile(Utf16File(lines));
    ASSERT_FALSE(shortFile.ok());
    EXPECT_EQ(shortFile.error().context, "line 10: file ends before actions");
    lines[4] = "\t\tMacroKey0Name";
    auto noEquals = ParseLibraryFile(Utf16File(lines));
    ASSERT_FALSE(noEquals.ok());
    EXPECT_EQ(noEquals.error().context, "line 5: malformed key name");
}

// A library the readers would refuse for its size is never written: not by a save, not by an
// export, and an import of it is refused before anything is replaced.
TEST(MacroLibraryFile, ALibraryTooLargeToReadBackIsRefused) {
    MacroLibrary lib;
    MacroSet& set = lib.AddSet(u"Many");
    for (int k = 0; k < 3050; ++k) set.AddKey(u"k" + fromUtf8(std::to_string(k)));
    ASSERT_GT(FormatLibraryFile(lib).size(), kMaxReadBytes);
    const Status fits = CheckLibraryFits(lib);
    ASSERT_FALSE(fits.ok());
    EXPECT_EQ(fits.error().code, EFBIG);
    EXPECT_NE(fits.error().context.find("16 MiB"), std::string::npos) << fits.error().context;
    EXPECT_FALSE(CheckImportedLibrary(lib).ok());
    while (set.KeyCount() > 2900) set.DeleteKey(0);  // about 16.4 MB
    EXPECT_TRUE(CheckLibraryFits(lib).ok());
}

// An import brings names in just as a macro dialog does, so it is held to the same rules. The
// writer itself only refuses what its reader would: a library already on disk stays writable.
TEST(MacroLibraryFile, ImportedNamesFollowTheMacroNameRules) {
    const Text tooLong(25, u'n');
    for (const Text& bad : {tooLong, Text(u"cr\r"), Text(u"nul\0x", 5), Text(u"\x1B]0;title\x07"),
                            Text(u"tab\there"), Text(u"half\xD800")}) {
        MacroLibrary inMacro;
        inMacro.AddSet(u"Set").AddKey(bad);
        const Status macro = CheckImportedLibrary(inMacro);
        ASSERT_FALSE(macro.ok()) << toUtf8(bad);
        EXPECT_NE(macro.error().context.find("macro 1 in macro set 1"), std::string::npos) << macro.error().context;
        EXPECT_TRUE(CheckLibraryFits(inMacro).ok()) << toUtf8(bad);
        MacroLibrary inSet;
        inSet.AddSet(bad).AddKey(u"fine");
        EXPECT_FALSE(CheckImportedLibrary(inSet).ok()) << toUtf8(bad);
    }
    EXPECT_TRUE(CheckImportedLibrary(Sample()).ok());
    // A name the set already holds, as the macro dialogs refuse it; another set may hold it.
    MacroLibrary twice;
    MacroSet& first = twice.AddSet(u"One");
    first.AddKey(u"Copy");
    first.AddKey(u"Paste");
    first.AddKey(u"Copy");
    twice.AddSet(u"Two").AddKey(u"Paste");
    const Status named = CheckImportedLibrary(twice);
    ASSERT_FALSE(named.ok());
    EXPECT_NE(named.error().context.find("macro 3 in macro set 1 has the name of macro 1"), std::string::npos)
        << named.error().context;
    first.DeleteKey(2);
    EXPECT_TRUE(CheckImportedLibrary(twice).ok());
    MacroLibrary longest;
    longest.AddSet(Text(24, u's')).AddKey(Text(24, u'k'));
    EXPECT_TRUE(CheckImportedLibrary(longest).ok());
}

class ManagerReader : public testing::TempAppDir {};

TEST_F(ManagerReader, FailureLeavesTheLibraryEmptyAndTheFileAlone) {
    MacroLibrary lib = Sample();
    const std::string bad = Utf16File(OneKey("s", "k", "short"));
    Put(dir_ / "bad.mlf", bad);
    EXPECT_FALSE(ReadLibraryFile(lib, dir_ / "bad.mlf").ok());
    EXPECT_EQ(lib.SetCount(), 0u);
    EXPECT_EQ(Get(dir_ / "bad.mlf"), bad);
    ASSERT_TRUE(WriteLibraryFile(Sample(), dir_ / "good.mlf").ok());
    EXPECT_TRUE(ReadLibraryFile(lib, dir_ / "good.mlf").ok());
    EXPECT_EQ(lib, Sample());
}

}  // namespace
}  // namespace orvane
