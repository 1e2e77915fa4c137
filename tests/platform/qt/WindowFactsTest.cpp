// What the focus watchers make of a window's properties: the program behind a process number,
// the class of WM_CLASS, the program's name, one entry per program, and _NET_WM_ICON pictures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/qt/WindowFacts.h"
#include "support/TempFolder.h"

namespace orvane::platform::qt {
namespace {

namespace fs = std::filesystem;

// A made-up /proc: <root>/<pid>/exe links where the kernel's would.
class FakeProc : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = test::MakeTempFolder("orvane-proc");
    }
    void TearDown() override { fs::remove_all(root_); }
    void process(uint32_t pid, const std::string& target) {
        fs::create_directories(root_ / std::to_string(pid));
        fs::create_directory_symlink(target, root_ / std::to_string(pid) / "exe");
    }
    fs::path root_;
};

TEST_F(FakeProc, NamesTheProgramImageOfAProcess) {
    process(412, "/usr/bin/firefox-esr");
    EXPECT_EQ(executableOfProcess(root_.string(), 412), "/usr/bin/firefox-esr");
}

TEST_F(FakeProc, KeepsThePathOfAProgramReplacedByAnUpgrade) {
    process(77, "/usr/lib/game/game.bin (deleted)");
    EXPECT_EQ(executableOfProcess(root_.string(), 77), "/usr/lib/game/game.bin");
}

TEST_F(FakeProc, GivesNothingForAGoneProcessOrAnUnsaidOne) {
    process(0, "/usr/bin/should-not-be-read");
    EXPECT_EQ(executableOfProcess(root_.string(), 5000), "");
    EXPECT_EQ(executableOfProcess(root_.string(), 0), "");
}

TEST_F(FakeProc, ReadsThisProcessOnTheLiveSystem) {
    const std::string self = executableOfProcess("/proc", uint32_t(::getpid()));
    EXPECT_EQ(fs::path(self).filename(), "orvane-platform-qt-tests");
}

TEST(WmClass, TakesTheClassPartAndFallsBackToTheInstance) {
    using namespace std::string_literals;
    EXPECT_EQ(classFromWmClass("navigator\0Firefox-esr\0"s), "Firefox-esr");
    EXPECT_EQ(classFromWmClass("xterm\0"s), "xterm");
    EXPECT_EQ(classFromWmClass("xterm\0\0"s), "xterm");
    EXPECT_EQ(classFromWmClass("xterm"s), "xterm");  // a value cut short
    EXPECT_EQ(classFromWmClass(""s), "");
}

TEST(ProgramName, ComesFromTheExecutableElseTheWindowClass) {
    const ProgramIdentity full = identityOf("/opt/game/bin/Game.x86_64", "GameClass");
    EXPECT_EQ(full.name, u"Game.x86_64");
    EXPECT_EQ(full.executable, u"/opt/game/bin/Game.x86_64");
    EXPECT_EQ(full.windowClass, u"GameClass");
    const ProgramIdentity remote = identityOf("", "org.gnome.Calculator");
    EXPECT_EQ(remote.name, u"org.gnome.Calculator");
    EXPECT_TRUE(remote.executable.empty());
    EXPECT_TRUE(identityOf("", "").empty());
}

TEST(ProgramName, KeepsTextsThatAreNotAscii) {
    EXPECT_EQ(identityOf("/home/u/游戏/启动器", "").name, u"启动器");
}

RunningProgram window(const char* exe, const char* cls, const char16_t* title, Image icon = {}) {
    return RunningProgram{identityOf(exe, cls), title, std::move(icon)};
}

TEST(RunningPrograms, ListEachProgramOnceWithTheFirstTitleAndIconItHas) {
    const Image red = Image::filled(2, 2, Color{255, 0, 0, 255});
    const auto programs = onePerProgram({
        window("/usr/bin/xterm", "XTerm", u""),
        window("/usr/bin/gimp", "Gimp", u"GIMP", red),
        window("/usr/bin/xterm", "XTerm", u"shell 2"),
        window("", "", u"no one"),
        window("/usr/bin/xterm", "XTerm", u"shell 3", red),
    });
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(programs[0].id.name, u"xterm");
    EXPECT_EQ(programs[0].title, u"shell 2");
    EXPECT_EQ(programs[0].icon, red);
    EXPECT_EQ(programs[1].id.name, u"gimp");
    EXPECT_EQ(programs[1].title, u"GIMP");
}

TEST(RunningPrograms, KeepTwoProgramsOfOneNameInDifferentPlacesApart) {
    const auto programs = onePerProgram({window("/usr/bin/python3", "A", u"a"), window("/opt/py/python3", "B", u"b")});
    EXPECT_EQ(programs.size(), 2u);
}

// Icons: sizes then pixels, several pictures in a row.
std::vector<uint32_t> icons(std::initializer_list<std::pair<uint32_t, uint32_t>> sizes) {
    std::vector<uint32_t> v;
    for (auto [w, h] : sizes) {
        v.push_back(w);
        v.push_back(h);
        for (uint32_t i = 0; i < w * h; ++i) v.push_back(0xFF000000u | w);  // the width as colour
    }
    return v;
}

TEST(NetWmIcon, TakesTheSmallestPictureAtLeastTheWantedSize) {
    const auto v = icons({{16, 16}, {64, 64}, {48, 48}, {128, 128}});
    const Image icon = iconFromNetWmIcon(v.data(), v.size(), 32);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.width(), 48);
    EXPECT_EQ(icon.pixel(5, 5), 0xFF000000u | 48);
}

TEST(NetWmIcon, TakesTheLargestWhenAllAreSmaller) {
    const auto v = icons({{16, 16}, {24, 24}, {22, 22}});
    EXPECT_EQ(iconFromNetWmIcon(v.data(), v.size(), 32).width(), 24);
}

TEST(NetWmIcon, KeepsNonSquarePicturesInRowOrder) {
    std::vector<uint32_t> v = {3, 2, 0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004, 0xFF000005, 0xFF000006};
    const Image icon = iconFromNetWmIcon(v.data(), v.size(), 32);
    ASSERT_EQ(icon.size(), (Size{3, 2}));
    EXPECT_EQ(icon.pixel(2, 0), 0xFF000003u);
    EXPECT_EQ(icon.pixel(0, 1), 0xFF000004u);
}

TEST(NetWmIcon, PremultipliesTranslucentPixels) {
    std::vector<uint32_t> v = {2, 1, 0x80FF8000, 0x00FFFFFF};
    const Image icon = iconFromNetWmIcon(v.data(), v.size(), 32);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixel(0, 0), 0x80804000u);
    EXPECT_EQ(icon.pixel(1, 0), 0x00000000u);
}

TEST(NetWmIcon, UsesThePicturesBeforeAValueThatEndsEarly) {
    auto v = icons({{16, 16}, {64, 64}});
    v.resize(v.size() - 1);  // the 64 px picture lacks its last pixel
    EXPECT_EQ(iconFromNetWmIcon(v.data(), v.size(), 32).width(), 16);
}

TEST(NetWmIcon, RefusesAbsurdSizesWithoutReadingPastTheValue) {
    std::vector<uint32_t> huge = {0xFFFFFFFF, 0xFFFFFFFF, 1, 2, 3};
    EXPECT_TRUE(iconFromNetWmIcon(huge.data(), huge.size(), 32).isNull());
    // width * height overflows 32 bits to a small number: must not pass as a 4 pixel picture
    std::vector<uint32_t> wrap = {0x10002, 0x10002, 1, 2, 3, 4};
    EXPECT_TRUE(iconFromNetWmIcon(wrap.data(), wrap.size(), 32).isNull());
    std::vector<uint32_t> zero = {0, 5};
    EXPECT_TRUE(iconFromNetWmIcon(zero.data(), zero.size(), 32).isNull());
    EXPECT_TRUE(iconFromNetWmIcon(nullptr, 0, 32).isNull());
    std::vector<uint32_t> half = {4};
    EXPECT_TRUE(iconFromNetWmIcon(half.data(), half.size(), 32).isNull());
}

TEST(ToplevelStates, ActivatedIsStateTwoAmongOthers) {
    const uint32_t maximizedActivated[] = {0, 2};
    const uint32_t minimizedFullscreen[] = {1, 3};
    EXPECT_TRUE(statesSayActivated(maximizedActivated, 2));
    EXPECT_FALSE(statesSayActivated(minimizedFullscreen, 2));
    EXPECT_FALSE(statesSayActivated(nullptr, 0));
}

}  // namespace
}  // namespace orvane::platform::qt
