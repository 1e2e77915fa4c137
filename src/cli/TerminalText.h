#pragma once
// Text for a terminal. Names come from files and other programs, and a control character in one
// (an escape sequence that retitles the window or moves the cursor) must be seen, not obeyed.
#include <string>
#include <string_view>

namespace orvane::cli {

// Valid UTF-8 (see toValidUtf8) with every control character other than line feed and tab
// written out as an escape: "\x1B" for C0 controls and DEL, "\u009B" for C1 controls.
std::string terminalText(std::string_view utf8);

}  // namespace orvane::cli
