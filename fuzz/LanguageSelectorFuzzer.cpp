// Any bytes as LanSetting.ini: no crash; the code always selects one of the two files.
#include <cstdlib>
#include <string>

#include "profile/LanguageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    const Text code = ParseLanguageSelector(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string_view file = LanguageFileName(code);
    if (file != "Lan_EN.txt" && file != "Lan.txt") std::abort();
    return 0;
}
