#pragma once
// Texts are UTF-16 throughout the core: lengths and files are defined in UTF-16 code units.
#include <string>
#include <string_view>

namespace orvane {

using Text = std::u16string;

// Invalid sequences become U+FFFD; unpaired surrogates are kept as they are when encoding
// so that a text survives a round trip through a file unchanged.
std::string toUtf8(std::u16string_view text);
Text fromUtf8(std::string_view utf8);

// The bytes with every sequence that is not UTF-8 replaced by U+FFFD, so that what reaches JSON
// or a terminal is always valid text. A lone surrogate as toUtf8 keeps it becomes one U+FFFD.
std::string toValidUtf8(std::string_view bytes);

}  // namespace orvane
