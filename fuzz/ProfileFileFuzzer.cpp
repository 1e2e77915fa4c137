// Any bytes as a profile file: no crash, and whatever parses writes back to a file that reads
// back to the same bytes.
#include <cstdlib>
#include <string>

#include "profile/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    auto parsed = ParseProfileFile(std::string_view(reinterpret_cast<const char*>(data), size), Profile{});
    if (!parsed) return 0;
    const std::string written = FormatProfileFile(*parsed);
    auto again = ParseProfileFile(written, Profile{});
    if (!again || FormatProfileFile(*again) != written) std::abort();
    return 0;
}
