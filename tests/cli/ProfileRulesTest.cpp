// What orvanectl does with profiles the mouse would not take, and with macro buttons whose macro
// has left the library.
#include "SessionFixture.h"
#include "profile/ProfileFile.h"

namespace orvane::cli {
namespace {

class ProfileRulesTest : public SessionTest {
protected:
    fs::path slot(int index) const { return dir / "config" / ("default" + std::to_string(index) + ".psf"); }
    // Profile `index` as stored, changed by `edit` and written to `path`.
    void writeEdited(int index, const fs::path& path, const std::function<void(Profile&)>& edit) {
        auto p = ReadProfileFileInto(slot(index), Profile{});
        ASSERT_TRUE(p.ok()) << p.error().message();
        edit(*p);
        ASSERT_TRUE(WriteProfileFile(*p, path).ok());
    }
    static bool has(const std::ostringstream& s, const std::string& what) {
        return s.str().find(what) != std::string::npos;
    }
};

TEST_F(ProfileRulesTest, AMacroButtonWhoseMacroIsGoneIsReported) {
    ASSERT_EQ(run({"profile", "show"}), kExitOk) << err.str();
    writeEdited(0, slot(0), [](Profile& p) {
        p.keys[2].KeyName = u"Macro: No such macro";
        p.keys[2].KeyValue = {0x90, 0x21, 0x01};
    });
    ASSERT_EQ(run({"set", "polling", "500"}), kExitOk) << err.str();
    EXPECT_TRUE(has(out, "disabled: button 3 (\"Macro: No such macro\")")) << out.str();
    EXPECT_TRUE(has(out, "no longer in the first set of the macro library")) << out.str();
    // The mouse gets the disabled button, so it no longer plays the old slot.
    bool sentButton3 = false;
    for (const auto& f : sets()) sentButton3 = sentButton3 || f.find(" 01 04 02 00 00 00") != std::string::npos;
    EXPECT_TRUE(sentButton3);

    writeEdited(0, slot(0), [](Profile& p) {
        p.keys[4].KeyName = u"Macro: Gone too";
        p.keys[4].KeyValue = {0x90, 0x21, 0x01};
    });
    ASSERT_EQ(run({"--json", "set", "debounce", "8"}), kExitOk) << err.str();
    EXPECT_TRUE(has(out, "\"disabledButtons\"")) << out.str();
    EXPECT_TRUE(has(out, "\"button\": 5")) << out.str();
    EXPECT_TRUE(has(out, "\"reason\": \"macro-not-in-library\"")) << out.str();
}

TEST_F(ProfileRulesTest, ImportRefusesValuesTheMouseWouldNotTakeNamingTheField) {
    ASSERT_EQ(run({"profile", "show"}), kExitOk) << err.str();
    struct Case {
        const char* field;
        std::function<void(Profile&)> edit;
    };
    const Case cases[] = {
        {"Key0Value=000000", [](Profile& p) { for (auto& k : p.keys) k.KeyValue = {0, 0, 0}; }},
        {"KeyDebounce=255", [](Profile& p) { p.SetKeyDebounce(255); }},
        {"PowerDownTime=-7", [](Profile& p) { p.SetPowerDownTime(-7); }},
        {"Key3Value=FFFFFF", [](Profile& p) { p.keys[3].KeyValue = {0xFF, 0xFF, 0xFF}; }},
        {"DPIOffOnFlagValue=00", [](Profile& p) { p.DPIOffOnFlagValue = 0; }},
        {"Key2Value=7000F0", [](Profile& p) { p.keys[2].KeyValue = {0x70, 0x00, 0xF0}; }},
        {"PollingRateValue=090000", [](Profile& p) { p.PollingRateValue = {9, 0, 0}; }},
    };
    for (const Case& c : cases) {
        writeEdited(1, dir / "bad.psf", c.edit);
        const auto before = fs::last_write_time(slot(0));
        EXPECT_EQ(run({"profile", "import", "1", (dir / "bad.psf").string()}), kExitFailure) << c.field;
        EXPECT_TRUE(has(err, c.field)) << c.field << ": " << err.str();
        EXPECT_EQ(fs::last_write_time(slot(0)), before) << c.field;
    }
    // A good file still imports.
    writeEdited(1, dir / "good.psf", [](Profile& p) { p.SetKeyDebounce(16); });
    EXPECT_EQ(run({"profile", "import", "1", (dir / "good.psf").string()}), kExitOk) << err.str();
}

TEST_F(ProfileRulesTest, AStoredProfileIsRepairedBeforeTheMouseGetsIt) {
    ASSERT_EQ(run({"profile", "show"}), kExitOk) << err.str();
    // Edited by hand: no button left with the left click, and a debounce the mouse cannot take.
    writeEdited(1, slot(1), [](Profile& p) {
        for (auto& k : p.keys) k.KeyValue = {0, 0, 0};
        p.SetKeyDebounce(255);
    });
    ASSERT_EQ(run({"profile", "select", "2"}), kExitOk) << err.str();
    EXPECT_TRUE(has(err, "warning: profile 2 as stored: Key0Value=000000")) << err.str();
    EXPECT_TRUE(has(err, "KeyDebounce=255")) << err.str();
    // Button 1 keeps the left click the mouse holds; the others are disabled as the file says.
    bool button1Disabled = false, button2Disabled = false;
    for (const auto& f : sets()) {
        button1Disabled = button1Disabled || f.find(" 01 04 00 00 00 00") != std::string::npos;
        button2Disabled = button2Disabled || f.find(" 01 04 01 00 00 00") != std::string::npos;
    }
    EXPECT_FALSE(button1Disabled);
    EXPECT_TRUE(button2Disabled);
    ASSERT_EQ(run({"--json", "profile", "show", "2"}), kExitOk) << err.str();
    EXPECT_TRUE(has(out, "\"KeyDebounce\": \"12\"")) << out.str();
}

TEST_F(ProfileRulesTest, OneOfTheSentDpiLevelsStaysOn) {
    ASSERT_EQ(run({"profile", "show"}), kExitOk) << err.str();
    // Levels 1 and 5 on: the mouse gets levels 1-4 only, so level 1 is the last one it gets.
    writeEdited(0, slot(0), [](Profile& p) {
        p.DPIOffOnFlagValue = 0x11;
        p.CurrentDPILevelValue = 0;
    });
    EXPECT_EQ(run({"set", "dpi-enable", "1", "off"}), kExitUsage);
    EXPECT_TRUE(has(err, "only enabled level of 1-4")) << err.str();
    EXPECT_TRUE(sets().empty());
}

}  // namespace
}  // namespace orvane::cli
