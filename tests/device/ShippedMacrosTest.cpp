// The example macros shipped in config/MacroLibraryFile.mlf must do what their names say once
// they reach the mouse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "device/KeyTables.h"
#include "device/MacroEncoder.h"
#include "profile/MacroLibraryFile.h"

namespace orvane {
namespace {

std::filesystem::path ShippedLibrary() {
    const char* runtime = std::getenv("ORVANE_RUNTIME_DIR");
    const std::filesystem::path bin =
        runtime != nullptr && *runtime != '\0'
            ? std::filesystem::path(runtime)
            : std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin";
    return bin / "config" / "MacroLibraryFile.mlf";
}

TEST(ShippedMacros, EveryEventReachesTheMouseAndIsCounted) {
    MacroLibrary library;
    ASSERT_TRUE(ReadLibraryFile(library, ShippedLibrary()).ok());
    ASSERT_GE(library.SetCount(), 1u);
    for (uint32_t s = 0; s < library.SetCount(); ++s) {
        const MacroSet& set = *library.FindSet(s);
        for (uint32_t k = 0; k < set.KeyCount(); ++k) {
            const MacroKey& key = *set.FindKey(k);
            const std::string name = toUtf8(key.GetName());
            // One command per key or button event; a delay travels inside the event before it.
            uint32_t commands = 0;
            for (uint32_t i = 0; i < key.UsableActionCount(); ++i) {
                const auto a = key.GetActionBytes(i);
                if (a[0] == kDelayActionCode) continue;
                ++commands;
                EXPECT_NE(keyUsage(a[0]), 0) << name << ": action " << i << " code " << int(a[0])
                                             << " has no keyboard usage and would send nothing";
            }
            EXPECT_EQ(key.CommandActionNum, commands) << name;
            // The upload sends exactly the encoded events.
            const MacroImage image = encodeMacro(key, 1);
            for (uint32_t e = 0; e < commands; ++e) {
                EXPECT_NE(image[kMacroHeaderSize + 3 * e + 2], 0) << name << ": event " << e << " is empty";
            }
        }
    }
    const MacroKey& copy = *library.FindSet(0)->FindKey(1);
    EXPECT_EQ(copy.GetName(), u"Copy");
    EXPECT_EQ(keyName(copy.GetActionBytes(0)[0]), u"Ctrl_L");
}

}  // namespace
}  // namespace orvane
