// Any bytes as config.ini: no crash, the confinement check never reads out of range, and a
// parsed table writes back to a file that reads back to the same table.
#include <cstdlib>
#include <string>

#include "profile/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    Settings base;
    base.ResetToDefaults("/app");
    auto parsed = ParseSettingsFile(std::string_view(reinterpret_cast<const char*>(data), size), base);
    if (!parsed) return 0;
    (void)parsed->IndicesAreValid();
    for (int slot = -1; slot <= 5; ++slot) (void)parsed->GetProfileShowList(slot);
    const std::string written = FormatSettingsFile(*parsed);
    auto again = ParseSettingsFile(written, Settings{});
    if (!again || !(*again == *parsed)) std::abort();
    return 0;
}
