// Any bytes as LanSetting.ini: no crash; the code always selects the file of a shipped language.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "profile/LanguageFile.h"
#include "profile/Languages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    const Text code = ParseLanguageSelector(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string_view file = LanguageFileName(code);
    const auto languages = ShippedLanguages();
    if (std::none_of(languages.begin(), languages.end(),
                     [&](const ShippedLanguage& l) { return l.file == file; }))
        std::abort();
    return 0;
}
