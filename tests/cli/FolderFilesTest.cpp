// orvanectl and the files of its folder: what it refuses to write, what it says about files it
// could not use, names that reach the terminal or JSON, and programs started together.
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

#include "SessionFixture.h"
#include "profile/AtomicFile.h"
#include "profile/MacroLibraryFile.h"
#include "profile/ProfileFile.h"
#include "profile/SettingsFile.h"
#include "profile/TextFile.h"

namespace orvane::cli {
namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class FolderFiles : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        ASSERT_EQ(run({"macro", "list"}), kExitOk) << err.str();  // a fresh folder, seeded
    }
    fs::path Config(const std::string& name) const { return dir / "config" / name; }
    void Loop(const fs::path& p) const {
        fs::remove(p);
        fs::create_symlink(p.filename(), p);  // a link to itself: the open fails with ELOOP
    }
};

// The library the file holds is read back within the readers' bound, but the library file it
// would make is larger: importing it would leave a file the next command sets aside.
TEST_F(FolderFiles, AnImportTooLargeToReadBackIsRefused) {
    const std::string before = bytesOf(Config("MacroLibraryFile.mlf"));
    TextFileWriter w;
    w.Line(u"[MacroLibrary]");
    w.Line(u"a=1");
    w.Line(u"a=Many");
    w.Line(u"a=3050");
    const Text actions(2688, u'0');
    for (int k = 0; k < 3050; ++k) {
        w.Line(u"a=k" + fromUtf8(std::to_string(k)));
        for (const char16_t* v : {u"a=2", u"a=1", u"a=0", u"a=0"}) w.Line(v);
        w.Line(u"a=" + actions);
    }
    const fs::path big = dir / "big.mlf";
    { std::ofstream(big, std::ios::binary) << w.Bytes(); }
    ASSERT_LT(fs::file_size(big), kMaxReadBytes);
    EXPECT_EQ(run({"macro", "import", big.string()}), kExitFailure);
    EXPECT_TRUE(has(err.str(), "MiB")) << err.str();
    EXPECT_TRUE(has(err.str(), "nothing changed")) << err.str();
    EXPECT_EQ(bytesOf(Config("MacroLibraryFile.mlf")), before);
}

// The names a macro dialog refuses are refused from a file, too, and the reason names the macro.
TEST_F(FolderFiles, ImportedNamesAreHeldToTheNameRules) {
    const std::string before = bytesOf(Config("MacroLibraryFile.mlf"));
    for (const Text& bad : {Text(10000, u'n'), Text(u"a\rb"), Text(u"nul\0x", 5), Text(u"\x1B]0;owned\x07")}) {
        MacroLibrary lib;
        lib.AddSet(u"Set").AddKey(bad);
        const fs::path file = dir / "names.mlf";
        { std::ofstream(file, std::ios::binary) << FormatLibraryFile(lib); }
        EXPECT_EQ(run({"macro", "import", file.string()}), kExitFailure) << toUtf8(bad.substr(0, 20));
        EXPECT_TRUE(has(err.str(), "macro 1 in macro set 1")) << err.str();
        EXPECT_FALSE(has(err.str(), "\x1B")) << "the refusal itself must not carry the escape";
        EXPECT_EQ(bytesOf(Config("MacroLibraryFile.mlf")), before);
    }
}

TEST_F(FolderFiles, AnImportThatCannotBeReadGivesTheSystemsReason) {
    const fs::path loop = dir / "loop.mlf";
    Loop(loop);
    EXPECT_EQ(run({"macro", "import", loop.string()}), kExitFailure);
    EXPECT_TRUE(has(err.str(), loop.string() + ": " + std::strerror(ELOOP))) << err.str();
    EXPECT_EQ(run({"profile", "import", "2", loop.string()}), kExitFailure);
    EXPECT_TRUE(has(err.str(), loop.string() + ": " + std::strerror(ELOOP))) << err.str();
}

// A read command must not show defaults in place of a file it could not read.
TEST_F(FolderFiles, ReadCommandsFailOnAFileTheyCouldNotRead) {
    Loop(Config("MacroLibraryFile.mlf"));
    EXPECT_EQ(run({"macro", "list"}), kExitFailure);
    EXPECT_TRUE(has(err.str(), Config("MacroLibraryFile.mlf").string() + ": " + std::strerror(ELOOP))) << err.str();
    EXPECT_FALSE(has(out.str(), "empty")) << out.str();

    Loop(Config("default1.psf"));
    EXPECT_EQ(run({"--json", "profile", "show", "2"}), kExitFailure);
    EXPECT_TRUE(has(err.str(), Config("default1.psf").string())) << err.str();
    EXPECT_TRUE(has(out.str(), "\"ok\": false")) << out.str();
    // The profile that was read is shown as before.
    EXPECT_EQ(run({"profile", "show", "1"}), kExitOk) << err.str();
}

// An entry of config.ini the program cannot use is corrected before use, and the user hears
// which and to what, on standard error and with its control characters shown, not obeyed.
TEST_F(FolderFiles, SettingsCorrectedOnLoadAreNamedOnStandardError) {
    auto read = ParseSettingsFile(bytesOf(Config("config.ini")), Settings{});
    ASSERT_TRUE(read.ok());
    Settings edited = read.value();
    edited.SetProfileShowCount(9);
    edited.SetValue(SettingKey::ProfileSlot1URL, u"/tmp/\x1B]0;owned\x07.psf");
    { std::ofstream(Config("config.ini"), std::ios::binary) << FormatSettingsFile(edited); }
    EXPECT_EQ(run({"--json", "profile", "show", "1"}), kExitOk) << err.str();
    const std::string stored = "orvanectl: warning: " + Config("config.ini").string() + " as stored: ";
    EXPECT_TRUE(has(err.str(), stored + "ProfileShowCount=9: set to 5\n")) << err.str();
    EXPECT_TRUE(has(err.str(), stored + "ProfileSlot1URL=/tmp/\\x1B]0;owned\\x07.psf: set to ")) << err.str();
    EXPECT_FALSE(has(err.str(), "\x1B")) << err.str();
    EXPECT_FALSE(has(out.str(), "warning")) << out.str();
}

// A damaged file is set aside and replaced, as at every start; the user hears where it went.
TEST_F(FolderFiles, ADamagedFileSetAsideIsNamedOnStandardError) {
    { std::ofstream(Config("MacroLibraryFile.mlf")) << "not a library"; }
    EXPECT_EQ(run({"--json", "macro", "list"}), kExitOk) << err.str();
    const std::string kept = Config("MacroLibraryFile.mlf.bak").string();
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_TRUE(has(err.str(), "warning: " + Config("MacroLibraryFile.mlf").string())) << err.str();
    EXPECT_TRUE(has(err.str(), "kept as " + kept)) << err.str();
    EXPECT_TRUE(has(out.str(), "\"sets\"")) << out.str();  // standard output stays JSON

    { std::ofstream(Config("default2.psf")) << "[Setting]\n"; }
    EXPECT_EQ(run({"profile", "show", "3"}), kExitOk) << err.str();
    EXPECT_TRUE(has(err.str(), "kept as " + Config("default2.psf.bak").string())) << err.str();
    // Said once: the next command finds a good file.
    EXPECT_EQ(run({"profile", "show", "3"}), kExitOk);
    EXPECT_EQ(err.str(), "");
}

// Names come from files anyone can edit: in text a control character is shown, not obeyed, and
// JSON stays valid UTF-8 even for a name that is not valid UTF-16.
TEST_F(FolderFiles, NamesReachTheTerminalAndJsonSafely) {
    MacroLibrary lib;
    lib.AddSet(u"Set\x9B" u"1m").AddKey(u"a\x1B]0;owned\x07z");
    lib.FindSet(0)->AddKey(u"half\xD800" u"z");
    ASSERT_TRUE(WriteLibraryFile(lib, Config("MacroLibraryFile.mlf")).ok());
    ASSERT_EQ(run({"macro", "list"}), kExitOk) << err.str();
    EXPECT_FALSE(has(out.str(), "\x1B")) << out.str();
    EXPECT_FALSE(has(out.str(), "\x07"));
    EXPECT_TRUE(has(out.str(), "a\\x1B]0;owned\\x07z")) << out.str();
    EXPECT_TRUE(has(out.str(), "Set\\u009B1m")) << out.str();
    EXPECT_TRUE(has(out.str(), "half\xEF\xBF\xBDz")) << out.str();
    EXPECT_EQ(toValidUtf8(out.str()), out.str());

    ASSERT_EQ(run({"--json", "macro", "list"}), kExitOk) << err.str();
    EXPECT_EQ(toValidUtf8(out.str()), out.str());
    EXPECT_TRUE(has(out.str(), "\"half\xEF\xBF\xBDz\"")) << out.str();
    EXPECT_TRUE(has(out.str(), "a\\u001b]0;owned\\u0007z")) << out.str();

    EXPECT_EQ(run({"macro", "show", "nope\x1B[2J"}), kExitFailure);
    EXPECT_FALSE(has(err.str(), "\x1B")) << err.str();

    auto p = ReadProfileFileInto(Config("default0.psf"), Profile{});
    ASSERT_TRUE(p.ok());
    p->SetProfileName(u"\x1B[2Jwiped\xDC00");
    ASSERT_TRUE(WriteProfileFile(*p, Config("default0.psf")).ok());
    ASSERT_EQ(run({"profile", "show", "1"}), kExitOk) << err.str();
    EXPECT_FALSE(has(out.str(), "\x1B")) << out.str();
    EXPECT_EQ(toValidUtf8(out.str()), out.str());
    ASSERT_EQ(run({"--json", "profile", "show", "1"}), kExitOk) << err.str();
    EXPECT_TRUE(has(out.str(), "\"\\u001b[2Jwiped\xEF\xBF\xBD\"")) << out.str();
}

// Programs started at once on a folder nobody has used: each seeds, loads and saves, and takes
// away the others' temporaries if it can lock them. Every one must succeed.
TEST_F(FolderFiles, CommandsStartedTogetherOnAFreshFolderAllSucceed) {
    constexpr int kRounds = 3, kPrograms = 8;
    for (int round = 0; round < kRounds; ++round) {
        const fs::path fresh = dir / ("fresh" + std::to_string(round));
        int go[2];
        ASSERT_EQ(::pipe(go), 0);
        std::vector<pid_t> programs;
        for (int i = 0; i < kPrograms; ++i) {
            const pid_t pid = ::fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                ::close(go[1]);
                char c;
                (void)!::read(go[0], &c, 1);  // everyone starts when the pipe closes
                dir = fresh;
                const int rc = run({i % 2 ? "profile" : "macro", i % 2 ? "show" : "list"});
                ::_exit(rc == kExitOk ? 0 : 10 + rc);
            }
            programs.push_back(pid);
        }
        ::close(go[0]);
        ::close(go[1]);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        int failed = 0;
        for (pid_t& pid : programs) {
            int status = 0;
            while (::waitpid(pid, &status, WNOHANG) == 0) {
                if (std::chrono::steady_clock::now() > deadline) {
                    ::kill(pid, SIGKILL);
                    (void)::waitpid(pid, &status, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failed;
        }
        EXPECT_EQ(failed, 0) << "round " << round;
        for (const auto& e : fs::directory_iterator(fresh / "config"))
            EXPECT_FALSE(IsTemporaryName(e.path().filename().string())) << e.path();
    }
}

}  // namespace
}  // namespace orvane::cli
