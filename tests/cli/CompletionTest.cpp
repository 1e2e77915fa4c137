// Shell completion: generated from the command table that --help prints and the commands obey,
// and driven for real in bash (and fish, where installed).
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <set>

#include "SessionFixture.h"
#include "cli/CommandTable.h"
#include "cli/Completion.h"
#include "profile/MacroLibraryFile.h"
#include "support/TempFolder.h"

namespace orvane::cli {
namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', start)) {
        out.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
    return out;
}

std::string quoted(const std::string& word) {
    std::string q = "'";
    for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a shell command line with a time limit; its standard output and error.
std::string shell(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(("timeout 60 " + command + " 2>&1").c_str(), "r");
    if (!pipe) return "popen failed";
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

bool installed(const std::string& program) {
    return shell("sh -c " + quoted("command -v " + program)).find('/') != std::string::npos;
}

TEST(CommandTable, HelpAndCommandsAgreeWithTheTable) {
    const std::string help = usageText();
    std::set<std::string> tabled;
    for (const CommandDef& c : commandTable()) {
        tabled.insert(c.path[0]);
        for (const HelpLine& h : c.help) EXPECT_TRUE(has(help, "\n  " + h.usage)) << h.usage;
    }
    // Every command the session runs is in the table, and every one in the table runs.
    const auto handled = Session::handledCommands();
    EXPECT_EQ(std::set<std::string>(handled.begin(), handled.end()), tabled);
    // The help shows every command but the completion helper.
    for (const std::string& name : commandNames()) EXPECT_TRUE(has(help, "\n  " + name)) << name;
    EXPECT_FALSE(has(help, "completion"));
    // The set words the help lists by hand are the ones the parser takes.
    const CommandDef* button = nullptr;
    for (const CommandDef& c : commandTable())
        if (c.joinedPath() == "set button") button = &c;
    ASSERT_NE(button, nullptr);
    for (const std::string& word : button->args[1].choices) EXPECT_TRUE(has(help, " " + word)) << word;
    EXPECT_EQ(listWords({"a", "b", "c"}), "a, b or c");
}

// A library with a name of two words, in two sets: what the buttons may name is only the first.
class CompletionWords : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        MacroLibrary lib;
        MacroSet& first = lib.AddSet(u"Examples");
        first.AddKey(u"Copy").InsertAction(0, 0x000000A2u);
        first.AddKey(u"Double click").InsertAction(0, 0x000000E0u);
        lib.AddSet(u"Spare").AddKey(u"Moves").InsertAction(0, 0xFB0000E5u);
        fs::create_directories(dir / "config");
        ASSERT_TRUE(WriteLibraryFile(lib, dir / "config" / "MacroLibraryFile.mlf").ok());
    }
    std::vector<std::string> helper(const std::vector<std::string>& words) {
        std::vector<std::string> argv{"completion"};
        argv.insert(argv.end(), words.begin(), words.end());
        EXPECT_EQ(run(argv), kExitOk) << err.str();
        return lines(out.str());
    }
    // The words completion may offer at one place, or a value that is taken where it offers none.
    std::vector<std::string> offered(const ArgDef& arg) {
        switch (arg.kind) {
            case ArgKind::Choice:
            case ArgKind::ButtonFunction:
                return arg.choices;
            case ArgKind::File:
                return {(dir / "some.file").string()};
            case ArgKind::Folder:
                return {dir.string()};
            case ArgKind::Macro:
                return helper({"macros"});
            case ArgKind::MacroSet:
                return helper({"sets"});
            case ArgKind::Dpi: {
                // The sensor's table has hundreds of steps: its ends stand for them.
                const auto values = helper({"dpi"});
                EXPECT_FALSE(values.empty());
                if (values.empty()) return {arg.example};
                return {values.front(), values.back(), arg.example};
            }
            case ArgKind::Text:
                break;
        }
        std::vector<std::string> values = arg.choices;
        values.push_back(arg.example);
        return values;
    }
};

TEST_F(CompletionWords, TheHelperReadsTheLibraryOfTheLinesFolder) {
    EXPECT_EQ(helper({"macros"}), (std::vector<std::string>{"Copy", "Double click", "Moves"}));
    EXPECT_EQ(helper({"macros", "1"}), (std::vector<std::string>{"Copy", "Double click"}));
    EXPECT_EQ(helper({"macros", "3"}), std::vector<std::string>{});
    EXPECT_EQ(helper({"sets"}), (std::vector<std::string>{"1", "2"}));
    // Before the first mouse no sensor is known, and no DPI value.
    EXPECT_EQ(helper({"dpi"}), std::vector<std::string>{});
    ASSERT_EQ(run({"--json", "completion", "sets"}), kExitOk);
    EXPECT_TRUE(has(out.str(), "\"sets\": [")) << out.str();
    EXPECT_TRUE(has(out.str(), "\"2\"")) << out.str();
    EXPECT_EQ(run({"completion", "macros", "0"}), kExitUsage);
    EXPECT_EQ(run({"completion", "tcsh"}), kExitUsage);
    // A key press neither seeds nor locks the folder: only the fixture's library and two language
    // files are there.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "config"), fs::directory_iterator()), 3);
    for (const char* sh : {"bash", "zsh", "fish"}) {
        ASSERT_EQ(run({"completion", sh}), kExitOk);
        EXPECT_EQ(out.str(), completionScript(sh));
    }
    // The mouse's sensor, once stored, gives its table.
    ASSERT_EQ(run({"set", "sleep", "3"}, "sensor=0x3335"), kExitOk) << err.str();
    const auto dpi = helper({"dpi"});
    ASSERT_GT(dpi.size(), 10u);
    EXPECT_EQ(run({"set", "dpi", "2", dpi[dpi.size() / 2]}, "sensor=0x3335"), kExitOk) << err.str();
}

// Every word completion offers at every place is taken by the command: none gives a usage error.
// One place is varied at a time, the others holding their first word.
TEST_F(CompletionWords, EveryOfferedWordIsTaken) {
    int runs = 0;
    for (const CommandDef& c : commandTable()) {
        if (c.help.empty()) continue;
        std::vector<std::vector<std::string>> places;
        for (const ArgDef& a : c.args) places.push_back(offered(a));
        std::vector<std::string> base = c.path;
        for (const auto& p : places) base.push_back(p.front());
        auto tryLine = [&](std::vector<std::string> line) {
            // A function word that needs more is followed by what its own place takes.
            if (c.joinedPath() == "set button") {
                if (line.back() == "key") line.push_back("Ctrl+C");
                if (line.back() == "macro") line.push_back(helper({"macros", "1"}).front());
            }
            if (c.joinedPath() == "profile programs" && (line.back() == "add" || line.back() == "remove"))
                line.push_back("steam");
            ++runs;
            EXPECT_NE(run(line), kExitUsage) << ::testing::PrintToString(line) << ": " << err.str();
        };
        bool optionRequired = false;
        for (const OptionDef& o : c.options) optionRequired |= o.required;
        if (places.empty() && !optionRequired) tryLine(base);
        for (size_t k = 0; k < places.size(); ++k)
            for (const std::string& word : places[k]) {
                std::vector<std::string> line = base;
                line[c.path.size() + k] = word;
                if (c.args[k].optional && k + 1 == places.size() && word == places[k].front()) tryLine(base);
                tryLine(line);
            }
        for (const OptionDef& o : c.options) {
            // Installing the udev rule would write under /etc.
            if (o.name == "--install") continue;
            std::vector<std::string> line = c.path;
            line.push_back(o.name);
            if (!o.takesValue) {
                tryLine(line);
                continue;
            }
            for (const std::string& value : offered(o.value)) {
                line.resize(c.path.size() + 1);
                line.push_back(value);
                tryLine(line);
            }
        }
    }
    EXPECT_GT(runs, 80);
    // Commands with subcommands name them all when given another.
    for (const char* command : {"set", "profile", "macro"}) {
        EXPECT_EQ(run({command}), kExitUsage);
        for (const std::string& sub : subcommandsOf(command))
            EXPECT_TRUE(has(err.str(), sub)) << command << " " << sub;
    }
}

// bash completion, sourced and called as bash calls it, over the places of a line. The program
// that gives the library's names is a stand-in that says what it was asked.
class BashCompletion : public ::testing::Test {
protected:
    void SetUp() override {
        dir = test::MakeTempFolder("orvanectl-completion");
        fs::create_directories(dir / "folder" / "sub");
        std::ofstream(dir / "folder" / "profile one.psf") << "x";
        std::ofstream(dir / "orvanectl.bash") << completionScript("bash");
        std::ofstream program(dir / "orvanectl");
        program << "#!/bin/sh\necho \"$*\" >> " << quoted((dir / "asked").string()) << "\n"
                << "case \"$*\" in\n"
                << "  *'completion macros 1') printf 'Copy\\nDouble click\\n' ;;\n"
                << "  *'completion macros') printf 'Copy\\nDouble click\\nMoves\\n' ;;\n"
                << "  *'completion sets') printf '1\\n2\\n' ;;\n"
                << "  *'completion dpi') printf '400\\n800\\n1600\\n' ;;\n"
                << "esac\n";
        program.close();
        fs::permissions(dir / "orvanectl", fs::perms::owner_all);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Each case: the words of the line, the last being the one completed; the reply, joined by spaces.
    std::vector<std::string> complete(const std::vector<std::vector<std::string>>& cases) {
        std::string driver = "source " + quoted((dir / "orvanectl.bash").string()) + " || exit 3\n";
        for (const auto& words : cases) {
            driver += "COMP_WORDS=(" + quoted((dir / "orvanectl").string());
            for (const std::string& w : words) driver += " " + quoted(w);
            driver +=
                "); COMP_CWORD=" + std::to_string(words.size()) + "; _orvanectl; echo \"${COMPREPLY[*]}\"\n";
        }
        std::ofstream(dir / "driver.bash") << driver;
        return lines(shell("bash --norc --noprofile " + quoted((dir / "driver.bash").string())));
    }
    std::string asked() {
        std::ifstream in(dir / "asked");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir;
};

TEST_F(BashCompletion, CompletesEveryPlaceOnTheLine) {
    const std::string folder = (dir / "folder").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{""}, "devices status apply set profile dump reset macro udev-rule language follow-programs dpi-indicator"},
        {{"--json", "se"}, "set"},
        {{"-"}, "--app-dir --simulate --json --version --help -h"},
        {{"macro", ""}, "list show export import delete"},
        {{"macro", "show", ""}, "Copy Double\\ click Moves"},
        {{"macro", "delete", "D"}, "Double\\ click"},
        {{"macro", "list", ""}, "1 2"},
        {{"macro", "show", "Moves", ""}, "1 2"},
        {{"macro", "export", folder + "/pro"}, folder + "/profile one.psf"},
        {{"set", "button", "3", "macro", ""}, "Copy Double\\ click"},
        {{"set", "button", "3", "m"}, "middle media-player mute my-computer minimise maximise macro"},
        {{"set", "button", "3", "fire", ""}, ""},
        {{"set", ""}, "polling dpi dpi-enable dpi-colour debounce sleep lift-off button"},
        {{"set", "polling", ""}, "125 250 500 1000"},
        {{"set", "dpi", "4", "8"}, "800"},
        {{"set", "dpi-colour", ""}, "1 2 3 4"},
        {{"set", "dpi-colour", "1", ""}, "FF0000 00FF00 0000FF FFFF00 00FFFF FF00FF FFFFFF"},
        {{"set", "dpi-enable", "2", "o"}, "on off"},
        {{"set", "sleep", "1"}, "1 10"},
        {{"apply", ""}, "--profile"},
        {{"apply", "--profile", ""}, "1 2 3 4 5"},
        {{"apply", "--profile", "2", ""}, ""},
        {{"apply", "--json", "--profile", "3", "--"}, "--app-dir --simulate --json --version --help"},
        {{"reset", ""}, "--yes"},
        {{"follow-programs", ""}, "on off"},
        {{"--json", "dpi-indicator", "of"}, "off"},
        {{"dpi-indicator", "on", ""}, ""},
        {{"udev-rule", "--install", ""}, ""},
        {{"profile", "show", "--json", ""}, "1 2 3 4 5"},
        {{"profile", "show", "--json", "2", ""}, ""},
        {{"profile", "import", "--json", "4", folder + "/"}, folder + "/sub " + folder + "/profile one.psf"},
        {{"--app-dir", folder + "/s"}, folder + "/sub"},
        {{"--simulate=sensor", "=", "0x25", "dump", ""}, "profile settings library language"},
        {{"dump", "library", folder + "/p"}, folder + "/profile one.psf"},
        {{"--", "set", "polling", "-"}, ""},
        {{"frobnicate", ""}, ""},
    };
    std::vector<std::vector<std::string>> lines;
    for (const auto& c : cases) lines.push_back(c.first);
    const auto replies = complete(lines);
    ASSERT_EQ(replies.size(), cases.size()) << ::testing::PrintToString(replies);
    for (size_t i = 0; i < cases.size(); ++i) {
        // Files come in the order the folder lists them.
        if (has(cases[i].second, folder + "/sub ")) {
            EXPECT_TRUE(replies[i] == cases[i].second ||
                        replies[i] == folder + "/profile one.psf " + folder + "/sub")
                << ::testing::PrintToString(cases[i].first) << " gave " << replies[i];
            continue;
        }
        EXPECT_EQ(replies[i], cases[i].second) << ::testing::PrintToString(cases[i].first);
    }
}

TEST_F(BashCompletion, AsksForTheLibraryOfTheFolderOnTheLine) {
    const auto replies = complete({{"--app-dir", "/x/y", "macro", "show", "C"},
                                   {"--simulate", "set", "button", "1", "macro", ""},
                                   {"macro", "--app-dir=/z", "list", ""}});
    EXPECT_EQ(replies, (std::vector<std::string>{"Copy", "Copy Double\\ click", "1 2"}));
    EXPECT_EQ(
        asked(),
        "--app-dir /x/y completion macros\n--simulate completion macros 1\n--app-dir=/z completion sets\n");
}

// Every place of every command of the table, completed in bash, offers the table's words.
TEST_F(BashCompletion, OffersTheTablesWordsEverywhere) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> expected;
    for (const CommandDef& c : commandTable()) {
        if (c.help.empty()) continue;
        std::vector<std::string> words = c.path;
        for (const ArgDef& a : c.args) {
            if (a.kind != ArgKind::Choice && a.kind != ArgKind::ButtonFunction && a.kind != ArgKind::Text)
                break;
            std::string want;
            for (const std::string& w : a.choices) want += (want.empty() ? "" : " ") + w;
            words.push_back("");
            lines.push_back(words);
            expected.push_back(want);
            words.back() = a.choices.empty() ? a.example : a.choices.front();
        }
    }
    EXPECT_EQ(complete(lines), expected);
}

TEST(ShellScripts, ZshAndFishReadTheirScripts) {
    const test::TempFolder folder("orvanectl-shells");
    const fs::path& dir = folder.path();
    std::ofstream(dir / "_orvanectl") << completionScript("zsh");
    std::ofstream(dir / "orvanectl.fish") << completionScript("fish");
    bool any = false;
    if (installed("zsh")) {
        any = true;
        EXPECT_EQ(shell("zsh -n " + quoted((dir / "_orvanectl").string())), "");
        // Without the completion system: compadd and _files print what they were given.
        std::ofstream(dir / "driver.zsh")
            << "compdef() { :; }\nsource " << quoted((dir / "_orvanectl").string()) << "\n"
            << "compadd() { [[ $1 == -a ]] && { print -r -- \"${(P)2}\"; return }; shift; print -r -- "
               "\"$*\"; }\n"
            << "_files() { print -r -- \"files $*\"; }\n"
            << "t() { words=(orvanectl \"$@\"); CURRENT=$#words; _orvanectl; }\n"
            << "t apply --profile ''\nt profile show --json ''\nt set dpi-colour 1 ''\nt reset -\n"
            << "t --app-dir ''\nt macro export ''\nt set button 2 mac\n";
        EXPECT_EQ(lines(shell("zsh -f " + quoted((dir / "driver.zsh").string()))),
                  (std::vector<std::string>{
                      "1 2 3 4 5", "1 2 3 4 5", "FF0000 00FF00 0000FF FFFF00 00FFFF FF00FF FFFFFF",
                      "--app-dir --simulate --json --version --help -h --yes", "files -/", "files ",
                      "left right middle forward back disable dpi-up dpi-down dpi-cycle media-player "
                      "prev next stop play-pause mute volume-up volume-down email calculator "
                      "my-computer alt-f4 show-desktop run minimise maximise fire key macro"}));
    }
    if (installed("fish")) {
        any = true;
        const std::string script = quoted((dir / "orvanectl.fish").string());
        EXPECT_EQ(shell("fish --no-config --no-execute " + script), "");
        // fish completes a line given as text: the reply comes one word a line.
        auto fishComplete = [&](const std::string& line) {
            // The script completes "orvanectl"; a program given by its path is completed alike.
            const std::string out =
                shell("fish --no-config -c " + quoted("source " + script +
                                                      "; complete -c /nonexistent/orvanectl -f -a "
                                                      "'(__orvanectl_complete)'; complete -C" +
                                                      quoted(line)));
            std::string joined;
            for (const std::string& l : lines(out)) joined += (joined.empty() ? "" : " ") + l;
            return joined;
        };
        EXPECT_EQ(fishComplete("orvanectl apply --profile "), "1 2 3 4 5");
        EXPECT_EQ(fishComplete("orvanectl --json profile show --json "), "1 2 3 4 5");
        EXPECT_EQ(fishComplete("orvanectl set dpi-colour 1 0"), "0000FF 00FF00 00FFFF");
        EXPECT_EQ(fishComplete("orvanectl reset "), "--yes");
        EXPECT_EQ(fishComplete("orvanectl macro d"), "delete");
        // A program that is not there gives nothing, not an error.
        EXPECT_EQ(fishComplete("/nonexistent/orvanectl set button 2 macro "), "");
    }
    if (!any) GTEST_SKIP() << "neither zsh nor fish is installed";
}

}  // namespace
}  // namespace orvane::cli
