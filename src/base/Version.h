#pragma once
// The release this build belongs to, as the project's build files name it.
#include <string_view>

namespace orvane {

const char* VersionString();
// The same, in the texts' UTF-16.
std::u16string_view VersionText();

}  // namespace orvane
