// What orvanectl says happened must have happened: exit codes, the outcome it prints and its
// JSON, against an asleep mouse, a mouse that refuses writes and a new mouse behind the
// receiver; status reads only; numbering as the window shows it.
#include <map>

#include "SessionFixture.h"
#include "device/sim/SimOptions.h"
#include "profile/AtomicFile.h"
#include "profile/SettingsFile.h"

namespace orvane::cli {
namespace {

// Enough of a JSON parser to say whether a document is well formed.
class JsonCheck {
public:
    explicit JsonCheck(const std::string& s) : s_(s) {}
    bool valid() {
        if (!value()) return false;
        space();
        return i_ == s_.size();
    }

private:
    void space() {
        while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
    }
    bool eat(char c) {
        space();
        if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
        return false;
    }
    bool word(const char* w) {
        const std::string_view v(w);
        if (s_.compare(i_, v.size(), v) != 0) return false;
        i_ += v.size();
        return true;
    }
    bool string() {
        if (!eat('"')) return false;
        while (i_ < s_.size() && s_[i_] != '"') {
            if (static_cast<unsigned char>(s_[i_]) < 0x20) return false;
            i_ += s_[i_] == '\\' ? 2 : 1;
        }
        return i_++ < s_.size();
    }
    bool value() {
        space();
        if (i_ >= s_.size()) return false;
        const char c = s_[i_];
        if (c == '{' || c == '[') {
            const char close = c == '{' ? '}' : ']';
            ++i_;
            if (eat(close)) return true;
            do {
                if (c == '{' && !(string() && eat(':'))) return false;
                if (!value()) return false;
            } while (eat(','));
            return eat(close);
        }
        if (c == '"') return string();
        if (word("true") || word("false") || word("null")) return true;
        const size_t start = i_;
        while (i_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[i_])) || s_[i_] == '-')) ++i_;
        return i_ > start;
    }
    const std::string& s_;
    size_t i_ = 0;
};

bool validJson(const std::string& s) { return JsonCheck(s).valid(); }

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class OutcomeTest : public SessionTest {
protected:
    Settings storedSettings() {
        Settings defaults;
        defaults.ResetToDefaults(dir / "config");
        auto read = ReadSettingsFile(dir / "config" / "config.ini", defaults);
        EXPECT_TRUE(read.ok());
        return read ? read.value() : defaults;
    }
    std::map<std::string, std::string> snapshot() {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(dir / "config")) {
            auto bytes = ReadFileBytes(e.path());
            files[e.path().filename().string()] = bytes ? *bytes : "<unreadable>";
        }
        return files;
    }
    // Each change fails on every device, then a healthy run on `next` devices brings it along
    // (behind the receiver alone, the tests below show it).
    void expectEveryMissedChangeGoesOutWithTheNextRun(const std::string& next);
    int writesOf(const std::string& command) {
        int n = 0;
        for (const auto& f : sets()) n += f.find(" 0C ") != std::string::npos && f.substr(f.find(" 0C ") + 7, 2) == command;
        return n;
    }
};

TEST_F(OutcomeTest, StatusReportsAnotherMouseAndChangesNoFile) {
    ASSERT_EQ(run({"profile", "show"}), kExitOk) << err.str();
    const auto before = snapshot();
    ASSERT_EQ(run({"--json", "status"}, "sensor=0x3335,mac=0x123456,datachange=0x0042"), kExitOk) << err.str();
    EXPECT_TRUE(validJson(out.str())) << out.str();
    EXPECT_TRUE(has(out.str(), "\"sensor\": \"0x3335\"")) << out.str();
    EXPECT_TRUE(has(out.str(), "\"dataChange\": \"0x42\""));
    EXPECT_TRUE(has(out.str(), "\"stored\": {\n    \"sensor\": \"0x3370\""));
    EXPECT_EQ(snapshot(), before);
    ASSERT_EQ(run({"status"}, "sensor=0x3335"), kExitOk);
    EXPECT_TRUE(has(out.str(), "0x3335 (differs from the stored 0x3370)")) << out.str();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(OutcomeTest, StatusOfAnAsleepMouseSaysUnknown) {
    ASSERT_EQ(run({"status"}, "receiver-only,asleep,battery=57"), kExitOk) << err.str();
    EXPECT_TRUE(has(out.str(), "online:      no")) << out.str();
    EXPECT_TRUE(has(out.str(), "battery:     unknown"));
    EXPECT_TRUE(has(out.str(), "DPI level:   unknown"));
    EXPECT_TRUE(has(out.str(), "DataChange:  unknown"));
    ASSERT_EQ(run({"--json", "status"}, "receiver-only,asleep,battery=57"), kExitOk);
    EXPECT_TRUE(has(out.str(), "\"online\": false"));
    EXPECT_TRUE(has(out.str(), "\"battery\": null"));
    EXPECT_TRUE(has(out.str(), "\"dpiLevel\": null"));
    EXPECT_FALSE(fs::exists(dir / "config" / "config.ini"));  // nothing created either
}

TEST_F(OutcomeTest, ChangeForAnAsleepMouseIsSavedAndReportedNotSent) {
    EXPECT_EQ(run({"--json", "set", "polling", "500"}, "receiver-only,asleep"), kExitFailure);
    EXPECT_TRUE(validJson(out.str())) << out.str();
    EXPECT_TRUE(has(out.str(), "\"ok\": false"));
    EXPECT_TRUE(has(out.str(), "\"sent\": []"));
    EXPECT_TRUE(has(out.str(), "\"what\": \"polling 500 Hz\""));
    EXPECT_TRUE(has(out.str(), "\"reason\": \"mouse-offline\""));
    EXPECT_TRUE(has(out.str(), (dir / "config" / "default0.psf").string()));
    EXPECT_TRUE(has(err.str(), "asleep")) << err.str();
    EXPECT_EQ(writesOf("07"), 0);

    EXPECT_EQ(run({"set", "polling", "250"}, "receiver-only,asleep"), kExitFailure);
    EXPECT_TRUE(has(out.str(), "polling 250 Hz: NOT sent")) << out.str();
    EXPECT_TRUE(has(out.str(), "saved: config.ini, default0.psf"));
}

TEST_F(OutcomeTest, AFileThatCouldNotBeSavedIsNamedAndExitsOne) {
    ASSERT_EQ(run({"profile", "show"}), kExitOk) << err.str();
    const fs::path slot = dir / "config" / "default0.psf";
    fs::permissions(slot, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(run({"--json", "set", "polling", "250"}), kExitFailure);
    EXPECT_TRUE(validJson(out.str())) << out.str();
    EXPECT_TRUE(has(out.str(), "\"ok\": false"));
    EXPECT_TRUE(has(out.str(), "\"what\": \"polling rate\"")) << out.str();  // the mouse has it
    EXPECT_TRUE(has(out.str(), "\"notSaved\": [\n    {\n      \"file\": \"" + slot.string())) << out.str();
    EXPECT_TRUE(has(err.str(), "could not save " + slot.string())) << err.str();
    EXPECT_TRUE(has(err.str(), "read-only")) << err.str();
}

TEST_F(OutcomeTest, WritesTheDevicesRefuseAreNamedAndExitOne) {
    EXPECT_EQ(run({"--json", "set", "button", "3", "key", "Ctrl+C"}, "fail-writes"), kExitFailure);
    EXPECT_TRUE(validJson(out.str())) << out.str();
    EXPECT_TRUE(has(out.str(), "\"what\": \"button 3\""));
    EXPECT_TRUE(has(out.str(), "\"command\": \"0x04\""));
    EXPECT_TRUE(has(out.str(), "\"reason\": \"refused\""));
    EXPECT_TRUE(has(err.str(), "refused by the wired mouse")) << err.str();
    // The receiver still reaches the online mouse when only the cable refuses.
    ASSERT_EQ(run({"--json", "set", "polling", "1000"}, "fail-writes=wired"), kExitOk) << err.str();
    EXPECT_TRUE(has(out.str(), "\"devices\": [\n        \"receiver\"\n      ]")) << out.str();
    EXPECT_EQ(run({"apply"}, "fail-writes"), kExitFailure);
    EXPECT_TRUE(has(out.str(), "NOT sent"));
}

TEST_F(OutcomeTest, ChangeThatMissedAKnownMouseGoesOutAtTheNextConnection) {
    ASSERT_EQ(run({"set", "polling", "250"}), kExitOk) << err.str();
    const int32_t known = storedSettings().GetMacId();
    ASSERT_TRUE(known >= 0 && known <= 0xFFFFFF);
    // The known mouse is asleep: the change is saved, but the stored Mac_ID no longer claims
    // that the mouse holds the profile.
    EXPECT_EQ(run({"set", "polling", "500"}, "receiver-only,asleep"), kExitFailure);
    EXPECT_FALSE(storedSettings().GetMacId() == known);
    // Awake again, an unrelated change brings the missed one along.
    ASSERT_EQ(run({"set", "debounce", "4"}, "receiver-only"), kExitOk) << err.str();
    EXPECT_EQ(writesOf("07"), 1);
    EXPECT_EQ(storedSettings().GetMacId(), known);
    // From then on only what changes goes out.
    ASSERT_EQ(run({"set", "debounce", "6"}, "receiver-only"), kExitOk) << err.str();
    EXPECT_EQ(writesOf("07"), 0);
}

// Whatever missed the mouse goes out with the next run that reaches it, whether that run finds
// the mouse on its cable, behind the receiver or both; then the mouse is known again.
void OutcomeTest::expectEveryMissedChangeGoesOutWithTheNextRun(const std::string& next) {
    struct Case {
        std::vector<std::string> change;
        std::string command;  // the frame that carries it
        std::vector<std::vector<std::string>> before = {};
    };
    const std::vector<Case> cases = {
        {{"set", "dpi", "1", "1600"}, "05"},        {{"set", "dpi-colour", "2", "00FF00"}, "06"},
        {{"set", "polling", "125"}, "07"},          {{"set", "debounce", "0"}, "0A"},
        {{"set", "lift-off", "1"}, "08"},           {{"set", "sleep", "7"}, "0B"},
        {{"set", "button", "2", "disable"}, "04"},  {{"set", "button", "4", "key", "Ctrl+C"}, "04"},
        {{"apply"}, "04"},
        {{"profile", "select", "2"}, "05", {{"profile", "select", "2"}, {"set", "dpi", "1", "1600"}, {"profile", "select", "1"}}},
    };
    const fs::path base = dir;
    for (const Case& c : cases) {
        const std::string name = c.change[0] + " " + (c.change.size() > 1 ? c.change[1] : "") + " [" + next + "]";
        SCOPED_TRACE(name);
        dir = base / std::to_string(&c - cases.data());
        for (const auto& command : c.before) ASSERT_EQ(run(command), kExitOk) << err.str();
        ASSERT_EQ(run({"set", "lift-off", "2"}), kExitOk) << err.str();  // the mouse is known
        EXPECT_EQ(run(c.change, "fail-writes"), kExitFailure);
        EXPECT_TRUE(has(err.str(), "the next connection sends the whole profile again")) << err.str();
        // An unrelated change brings the missed one along.
        ASSERT_EQ(run({"set", "debounce", "6"}, next), kExitOk) << err.str();
        EXPECT_GE(writesOf(c.command), 1) << out.str();
        EXPECT_EQ(storedSettings().GetMacId(), 0x5A3C91);
        ASSERT_EQ(run({"set", "debounce", "8"}, next), kExitOk) << err.str();
        if (c.command != "0A") {
            EXPECT_EQ(writesOf(c.command), 0) << out.str();
        }
    }
    dir = base;
}

TEST_F(OutcomeTest, EveryMissedChangeGoesOutWithTheNextRunOnBothDevices) {
    expectEveryMissedChangeGoesOutWithTheNextRun("");
}

TEST_F(OutcomeTest, EveryMissedChangeGoesOutWithTheNextRunOnTheCable) {
    expectEveryMissedChangeGoesOutWithTheNextRun("wired-only");
}

TEST_F(OutcomeTest, NewMouseIsRememberedOnlyOnceItHoldsTheProfile) {
    ASSERT_EQ(run({"profile", "show"}), kExitOk);
    const int32_t before = storedSettings().GetMacId();
    // Behind the receiver, another mouse: the whole profile goes out, and is refused.
    EXPECT_EQ(run({"set", "polling", "500"}, "receiver-only,fail-writes=receiver"), kExitFailure);
    EXPECT_EQ(storedSettings().GetMacId(), before);
    // So the next run still treats it as new and sends everything.
    ASSERT_EQ(run({"set", "polling", "500"}, "receiver-only"), kExitOk) << err.str();
    EXPECT_EQ(writesOf("04"), 6);
    EXPECT_EQ(writesOf("07"), 1);
    EXPECT_EQ(storedSettings().GetMacId(), 0x5A3C91);
}

TEST_F(OutcomeTest, ResetThatMissesTheMouseIsNotDone) {
    ASSERT_EQ(run({"set", "debounce", "4"}), kExitOk) << err.str();
    for (const char* mouse : {"receiver-only,asleep", "fail-writes"}) {
        EXPECT_EQ(run({"--json", "reset", "--yes"}, mouse), kExitFailure) << mouse;
        EXPECT_TRUE(validJson(out.str())) << out.str();
        EXPECT_TRUE(has(out.str(), "\"reset\": false"));
        EXPECT_TRUE(has(err.str(), "not reset")) << err.str();
        ASSERT_EQ(run({"--json", "profile", "show"}), kExitOk);
        EXPECT_TRUE(has(out.str(), "\"KeyDebounce\": \"4\"")) << mouse;
    }
    ASSERT_EQ(run({"--json", "reset", "--yes"}), kExitOk) << err.str();
    EXPECT_TRUE(has(out.str(), "\"reset\": true"));
}

TEST_F(OutcomeTest, ProfileSelectIsSavedButNotDoneWithoutTheMouse) {
    EXPECT_EQ(run({"profile", "select", "3"}, "receiver-only,asleep"), kExitFailure);
    EXPECT_EQ(storedSettings().GetCurrentProfile(), 2);
    ASSERT_EQ(run({"--json", "profile", "select", "2"}), kExitOk) << err.str();
    EXPECT_TRUE(has(out.str(), "\"profile\": 2"));
    EXPECT_EQ(storedSettings().GetCurrentProfile(), 1);
}

TEST_F(OutcomeTest, DpiLevelsAreTheFourTheMouseReceives) {
    EXPECT_EQ(run({"set", "dpi", "5", "1600"}), kExitUsage);
    EXPECT_TRUE(has(err.str(), "1-4"));
    EXPECT_EQ(run({"set", "dpi-colour", "5", "FF0000"}), kExitUsage);
    EXPECT_EQ(run({"set", "dpi-enable", "5", "on"}), kExitUsage);
    ASSERT_EQ(run({"set", "dpi", "4", "1600"}), kExitOk) << err.str();
    EXPECT_EQ(writesOf("05"), 2);
    ASSERT_EQ(run({"set", "dpi-colour", "4", "FF0000"}), kExitOk) << err.str();
    EXPECT_EQ(writesOf("06"), 2);
}

TEST_F(OutcomeTest, NumbersAreTheOnesTheWindowShows) {
    EXPECT_EQ(run({"profile", "show", "0"}), kExitUsage);
    EXPECT_EQ(run({"profile", "show", "6"}), kExitUsage);
    EXPECT_EQ(run({"apply", "--profile", "0"}), kExitUsage);
    ASSERT_EQ(run({"apply", "--profile", "5"}), kExitOk) << err.str();
    EXPECT_EQ(storedSettings().GetCurrentProfile(), 4);
    ASSERT_EQ(run({"profile", "show"}), kExitOk);
    EXPECT_TRUE(has(out.str(), "profile:     5 (current)")) << out.str();
    ASSERT_EQ(run({"--json", "profile", "show", "1"}), kExitOk);
    EXPECT_TRUE(has(out.str(), "\"profile\": 1"));
    EXPECT_TRUE(has(out.str(), "\"current\": false"));
    EXPECT_TRUE(has(out.str(), "\"button\": 6"));
    EXPECT_TRUE(has(out.str(), "\"level\": 4"));
    EXPECT_FALSE(has(out.str(), "\"button\": 0"));
    EXPECT_FALSE(has(out.str(), "\"level\": 0"));
    const std::string help = usageText();
    EXPECT_TRUE(has(help, "Profiles are numbered 1 to 5"));
    EXPECT_FALSE(has(help, "0 to 4"));
    EXPECT_FALSE(has(help, "1-8"));
}

TEST_F(OutcomeTest, EveryCommandSpeaksJsonAlsoWhenItFails) {
    const fs::path file = dir / "p.psf";
    const std::vector<std::pair<std::vector<std::string>, int>> runs{
        {{"devices"}, kExitOk},
        {{"status"}, kExitOk},
        {{"apply"}, kExitOk},
        {{"set", "sleep", "5"}, kExitOk},
        {{"profile", "show"}, kExitOk},
        {{"profile", "export", "2", file.string()}, kExitOk},
        {{"profile", "import", "3", file.string()}, kExitOk},
        {{"profile", "select", "1"}, kExitOk},
        {{"dump", "profile", file.string()}, kExitOk},
        {{"reset", "--yes"}, kExitOk},
        {{"frobnicate"}, kExitUsage},
        {{"set", "polling", "333"}, kExitUsage},
        {{"profile", "import", "1", (dir / "missing.psf").string()}, kExitFailure},
        {{"dump", "settings", (dir / "missing.ini").string()}, kExitFailure},
    };
    for (const auto& [words, code] : runs) {
        std::vector<std::string> argv{"--json"};
        argv.insert(argv.end(), words.begin(), words.end());
        EXPECT_EQ(run(argv), code) << words[0] << " " << err.str();
        EXPECT_TRUE(validJson(out.str())) << words[0] << ":\n" << out.str();
        if (code != kExitOk) {
            EXPECT_TRUE(has(out.str(), "\"ok\": false")) << out.str();
        }
    }
}

TEST_F(OutcomeTest, MessagesSayWhatToDo) {
    EXPECT_EQ(run({"profile", "import", "1", (dir / "missing.psf").string()}), kExitFailure);
    EXPECT_EQ(err.str(), "orvanectl: " + (dir / "missing.psf").string() + ": no such file; nothing changed\n");
    EXPECT_EQ(run({"dump", "profile", (dir / "missing.psf").string()}), kExitFailure);
    EXPECT_EQ(err.str(), "orvanectl: " + (dir / "missing.psf").string() + ": no such file\n");
    // The help names every option the virtual mouse understands.
    const std::string help = usageText();
    for (const char* option : {"sensor=0x3335", "battery=57", "charging", "charged", "asleep", "mac=0x123456",
                               "datachange=0x1234", "wired-only", "receiver-only", "combined-input", "fail-writes",
                               "fail-writes=wired", "fail-writes=receiver"}) {
        EXPECT_TRUE(sim::parseSimOptions(option).ok()) << option;
        const std::string name(option, std::string_view(option).find('=') == std::string_view::npos
                                           ? std::string_view(option).size()
                                           : std::string_view(option).find('='));
        EXPECT_TRUE(has(help, name)) << name;
    }
}

}  // namespace
}  // namespace orvane::cli
