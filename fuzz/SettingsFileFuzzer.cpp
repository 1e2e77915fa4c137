// Any bytes as config.ini: no crash, the confinement check never reads out of range, a parsed
// table writes back to a file that reads back to the same table, and the repair always leaves
// indices in range and slot paths inside the config folder.
#include <cstdlib>
#include <string>

#include "profile/SettingsFile.h"
#include "profile/SettingsRepair.h"

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
    Settings repaired = *parsed;
    (void)RepairSettings(repaired, "/app");
    if (!repaired.IndicesAreValid()) std::abort();
    for (int slot = 0; slot < 5; ++slot) {
        if (!IsUsableSlotPath(repaired.GetSlotPath(slot), "/app")) std::abort();
    }
    return 0;
}
