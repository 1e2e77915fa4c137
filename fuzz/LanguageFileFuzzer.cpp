// Any bytes as a language file: no crash, no entry outside the table.
#include <string>

#include "profile/LanguageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    LanguageTable table;
    (void)ParseLanguageFile(std::string_view(reinterpret_cast<const char*>(data), size), table);
    (void)ChooseFont(table, 2.0);
    return 0;
}
