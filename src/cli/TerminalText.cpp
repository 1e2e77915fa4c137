#include "cli/TerminalText.h"

#include <cstdio>

#include "base/Text.h"

namespace orvane::cli {

std::string terminalText(std::string_view utf8) {
    const std::string valid = toValidUtf8(utf8);
    std::string out;
    out.reserve(valid.size());
    char buf[8];
    for (size_t i = 0; i < valid.size(); ++i) {
        const auto c = uint8_t(valid[i]);
        if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) {
            std::snprintf(buf, sizeof buf, "\\x%02X", unsigned(c));
            out += buf;
        } else if (c == 0xC2 && i + 1 < valid.size() && uint8_t(valid[i + 1]) <= 0x9F) {
            // U+0080 to U+009F, two bytes in UTF-8 (the second is at least 0x80 in valid text).
            std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(uint8_t(valid[i + 1])));
            out += buf;
            ++i;
        } else {
            out += char(c);
        }
    }
    return out;
}

}  // namespace orvane::cli
