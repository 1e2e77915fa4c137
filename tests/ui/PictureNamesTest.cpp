// Every picture the windows name exists in the built skin, so a misspelt or renamed file shows
// here instead of as an empty rectangle at run time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "ui/Pictures.h"

namespace fs = std::filesystem;

namespace {

// The skin's own path ("skins\\mouse\\mouse_nr.png") as a path below the run-time folder.
fs::path onDisk(std::u16string_view name) {
    std::string s(name.begin(), name.end());  // the names are ASCII
    std::replace(s.begin(), s.end(), '\\', '/');
    return fs::path(s);
}

TEST(PictureNames, EveryNamedPictureIsAFileOfTheBuiltSkinNamedOnce) {
    const char* runtime = std::getenv("ORVANE_RUNTIME_DIR");
    ASSERT_NE(runtime, nullptr) << "ctest gives the run-time folder";
    std::set<std::u16string_view> seen;
    for (std::u16string_view name : orvane::ui::pictures::kAll) {
        EXPECT_TRUE(seen.insert(name).second) << "named twice: " << onDisk(name);
        ASSERT_EQ(name.substr(0, 6), u"skins\\");
        const fs::path file = fs::path(runtime) / onDisk(name);
        EXPECT_TRUE(fs::is_regular_file(file)) << file << " is missing";
    }
}

}  // namespace
