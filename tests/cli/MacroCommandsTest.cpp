// orvanectl macro: the library as scripts see it, and changes that never lose it.
#include <fstream>

#include "SessionFixture.h"
#include "cli/CommandReport.h"
#include "profile/MacroLibraryFile.h"

namespace orvane::cli {
namespace {

class MacroCommands : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        MacroLibrary lib;
        MacroSet& examples = lib.AddSet(u"Examples");
        MacroKey& click = examples.AddKey(u"Double click");
        for (uint32_t a : {0x000000E0u, 0x32000003u, 0x000080E0u}) click.InsertAction(click.ActionCount, a);
        click.CommandActionNum = 2;
        examples.AddKey(u"Copy").InsertAction(0, 0x000000A2u);
        examples.AddKey(u"Paste");
        // Moves and the wheel carry a signed amount in their last byte.
        MacroKey& moves = lib.AddSet(u"Spare").AddKey(u"Moves");
        for (uint32_t a : {0xFB0000E5u, 0x020000E6u, 0xFF0000E7u}) moves.InsertAction(moves.ActionCount, a);
        fs::create_directories(dir / "config");
        ASSERT_TRUE(WriteLibraryFile(lib, Library()).ok());
    }
    fs::path Library() const { return dir / "config" / "MacroLibraryFile.mlf"; }
    std::string Bytes(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(MacroCommands, ListAndShowTheLibrary) {
    ASSERT_EQ(run({"macro", "list"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("set 1: Examples (offered to the buttons)"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("  2  Copy: "), std::string::npos);

    ASSERT_EQ(run({"--json", "macro", "list", "1"}), kExitOk);
    EXPECT_NE(out.str().find("\"set\": 1"), std::string::npos);
    EXPECT_NE(out.str().find("\"buttons\": true"), std::string::npos);
    EXPECT_NE(out.str().find("\"type\": \"count\""), std::string::npos);

    ASSERT_EQ(run({"macro", "show", "Double click"}), kExitOk);
    EXPECT_NE(out.str().find("press L Key  [E0 00 00 00]"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("50 ms  [03 00 00 32]"), std::string::npos);
    ASSERT_EQ(run({"--json", "macro", "show", "Double click", "1"}), kExitOk);
    EXPECT_NE(out.str().find("\"kind\": \"release\""), std::string::npos);
    EXPECT_NE(out.str().find("\"ms\": 50"), std::string::npos);

    ASSERT_EQ(run({"macro", "list", "2"}), kExitOk) << err.str();  // the last set
    EXPECT_NE(out.str().find("set 2: Spare\n  1  Moves: 3 actions"), std::string::npos) << out.str();
    ASSERT_EQ(run({"macro", "show", "Moves", "2"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("move left 5"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("move down 2"), std::string::npos);
    EXPECT_NE(out.str().find("wheel up 1"), std::string::npos);
    ASSERT_EQ(run({"--json", "macro", "show", "Moves", "2"}), kExitOk);
    EXPECT_NE(out.str().find("\"amount\": -5"), std::string::npos) << out.str();
}

TEST_F(MacroCommands, WrongNamesAndSetsAreRefused) {
    EXPECT_EQ(run({"macro", "show", "double click"}), kExitFailure);  // names are case-sensitive
    EXPECT_NE(err.str().find("no macro named \"double click\" in set 1"), std::string::npos) << err.str();
    EXPECT_EQ(run({"macro", "list", "0"}), kExitUsage);
    EXPECT_EQ(run({"macro", "list", "x"}), kExitUsage);
    EXPECT_EQ(run({"--json", "macro", "list", "3"}), kExitFailure);
    EXPECT_NE(out.str().find("\"ok\": false"), std::string::npos);
    EXPECT_EQ(run({"macro", "rename"}), kExitUsage);
    EXPECT_EQ(run({"macro", "delete"}), kExitUsage);
}

TEST_F(MacroCommands, ABadImportChangesNothing) {
    ASSERT_EQ(run({"macro", "list"}), kExitOk);
    const std::string before = Bytes(Library());
    const fs::path bad = dir / "bad.mlf";
    { std::ofstream(bad) << "[MacroLibrary]\nMacroSetNum=1\n"; }  // ends early
    EXPECT_EQ(run({"macro", "import", bad.string()}), kExitFailure);
    EXPECT_NE(err.str().find("not a macro library"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("nothing changed"), std::string::npos);
    EXPECT_EQ(run({"macro", "import", (dir / "missing.mlf").string()}), kExitFailure);
    EXPECT_NE(err.str().find("no such file"), std::string::npos) << err.str();
    EXPECT_EQ(run({"macro", "import", dir.string()}), kExitFailure);  // a folder
    EXPECT_EQ(Bytes(Library()), before);
}

TEST_F(MacroCommands, AnImportBeyondTheMouseIsRefusedAndNamesTheMacro) {
    ASSERT_EQ(run({"macro", "list"}), kExitOk);
    const std::string before = Bytes(Library());
    // Made elsewhere: 200 key events where the mouse takes 168, and a count that wraps.
    MacroLibrary lib;
    MacroSet& mine = lib.AddSet(u"Mine");
    mine.AddKey(u"Fine");
    MacroKey& spam = mine.AddKey(u"Spam");
    for (uint32_t i = 0; i < 200; ++i) spam.InsertAction(i, i % 2 ? 0x00008041u : 0x00000041u);
    spam.CommandActionNum = 255;
    const fs::path big = dir / "big.mlf";
    { std::ofstream(big, std::ios::binary) << FormatLibraryFile(lib); }
    EXPECT_EQ(run({"macro", "import", big.string()}), kExitFailure);
    EXPECT_NE(err.str().find("macro \"Spam\" of set 1 has 200 commands; the mouse takes at most 168"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("nothing changed"), std::string::npos);
    EXPECT_EQ(Bytes(Library()), before);
}

TEST(MacroReport, AMacroTheMouseCannotHoldIsNotSentAndNamed) {
    PassReport pass;
    FrameReport button;
    button.command = Command::Button;
    button.item = 1;
    pass.frames.push_back(button);
    pass.refusedMacros.push_back({u"Spam", 1, "200 commands; the mouse takes at most 168"});
    CommandReport report("apply", "profile 1");
    report.addPass(pass);
    EXPECT_FALSE(report.complete());
    EXPECT_EQ(report.errorMessage(),
              "profile 1: not sent: macro \"Spam\" has 200 commands; the mouse takes at most 168; "
              "shorten it or give its button another macro");
    EXPECT_NE(report.text("").find("not sent: macro \"Spam\": 200 commands"), std::string::npos) << report.text("");
    JsonWriter json;
    report.writeJson(json);
    EXPECT_NE(json.str().find("\"reason\": \"too-large\""), std::string::npos) << json.str();
}

TEST_F(MacroCommands, ExportImportAndDeleteWriteTheLibrary) {
    const fs::path copy = dir / "copy.mlf";
    ASSERT_EQ(run({"macro", "export", copy.string()}), kExitOk) << err.str();
    EXPECT_EQ(run({"macro", "export", (dir / "missing" / "copy.mlf").string()}), kExitFailure);
    EXPECT_NE(err.str().find("missing"), std::string::npos) << err.str();
    // A button uses "Copy": deleting it says which, and the library file loses it.
    ASSERT_EQ(run({"set", "button", "2", "macro", "Copy"}), kExitOk) << err.str() << out.str();
    ASSERT_EQ(run({"--json", "macro", "delete", "Copy"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("profile 1 button 2"), std::string::npos) << out.str();
    MacroLibrary now;
    ASSERT_TRUE(ReadLibraryFile(now, Library()).ok());
    EXPECT_EQ(now.FindSet(0)->KeyCount(), 2u);
    EXPECT_FALSE(now.FindSet(0)->ContainsKey(u"Copy"));
    EXPECT_EQ(run({"macro", "delete", "Copy"}), kExitFailure);
    // The exported copy brings it back, byte for byte.
    ASSERT_EQ(run({"macro", "import", copy.string()}), kExitOk) << err.str();
    EXPECT_EQ(Bytes(Library()), Bytes(copy));
    EXPECT_NE(out.str().find("orvanectl apply"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace orvane::cli
