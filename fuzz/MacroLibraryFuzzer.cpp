// Any bytes as a macro library file: no crash, parsed libraries round-trip exactly, and the
// key operations stay within the slots whatever counts the file claimed.
#include <cstdlib>
#include <string>

#include "profile/MacroLibraryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    auto parsed = ParseLibraryFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed) return 0;
    const std::string written = FormatLibraryFile(*parsed);
    auto again = ParseLibraryFile(written);
    if (!again || !(*again == *parsed)) std::abort();
    for (uint32_t s = 0; s < parsed->SetCount(); ++s) {
        MacroSet& set = *parsed->FindSet(s);
        for (uint32_t k = 0; k < set.KeyCount(); ++k) {
            MacroKey& key = *set.FindKey(k);
            (void)key.GetAction(key.ActionCount);
            (void)key.DeleteAction(key.ActionCount - 1);
            (void)key.InsertAction(key.ActionCount, 1);
        }
    }
    return 0;
}
