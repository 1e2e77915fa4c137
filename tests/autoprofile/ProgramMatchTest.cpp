// Which focused programs a profile's entry names.
#include <gtest/gtest.h>

#include "autoprofile/ProgramMatch.h"

namespace orvane::autoprofile {
namespace {

const platform::ProgramIdentity kBrowser{u"/usr/lib/firefox-esr/firefox-esr", u"firefox-esr", u"Firefox-esr"};

TEST(ProgramMatch, ANameMatchesTheFileNameOrTheClassWhateverTheCase) {
    EXPECT_TRUE(EntryMatches(u"firefox-esr", kBrowser));
    EXPECT_TRUE(EntryMatches(u"FIREFOX-ESR", kBrowser));
    // The class alone (a Wayland app_id, or a launcher script's window).
    EXPECT_TRUE(EntryMatches(u"steam", {u"/home/u/.local/share/Steam/ubuntu12_32/steam-runtime", u"", u"Steam"}));
    // The desktop's name for a program whose process it could not find.
    EXPECT_TRUE(EntryMatches(u"Blender", {u"", u"blender", u""}));
    EXPECT_FALSE(EntryMatches(u"firefox", kBrowser));       // no partial names
    EXPECT_FALSE(EntryMatches(u"lib", kBrowser));           // nor a folder of the path
    EXPECT_FALSE(EntryMatches(u"firefox-esr ", kBrowser));  // nor a name with a space left over
}

TEST(ProgramMatch, APathMatchesOnlyThatExecutableExactly) {
    EXPECT_TRUE(EntryMatches(u"/usr/lib/firefox-esr/firefox-esr", kBrowser));
    EXPECT_FALSE(EntryMatches(u"/usr/lib/Firefox-esr/firefox-esr", kBrowser));
    EXPECT_FALSE(EntryMatches(u"/opt/firefox-esr/firefox-esr", kBrowser));
    // Not as a class or a name either: a path entry is meant to tell installs apart.
    EXPECT_FALSE(EntryMatches(u"/x", {u"", u"/x", u"/x"}));
    EXPECT_FALSE(EntryMatches(u"lib/firefox-esr", kBrowser));
}

TEST(ProgramMatch, NothingMatchesEmptiness) {
    EXPECT_FALSE(EntryMatches(u"", kBrowser));
    EXPECT_FALSE(EntryMatches(u"", {}));
    EXPECT_FALSE(EntryMatches(u"x", {}));
    // A class the desktop left empty is no wildcard.
    EXPECT_FALSE(EntryMatches(u"x", {u"/usr/bin/y", u"y", u""}));
}

}  // namespace
}  // namespace orvane::autoprofile
