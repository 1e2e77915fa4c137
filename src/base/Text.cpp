#include "base/Text.h"

namespace orvane {

std::string toUtf8(std::u16string_view text) {
    // Each UTF-16 unit becomes at most three bytes (a pair of two becomes four): the bytes are
    // written into room made once, not appended one at a time with a reallocation now and then.
    std::string out(text.size() * 3, '\0');
    char* d = out.data();
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (c < 0x80) {
            *d++ = char(c);
        } else if (c < 0x800) {
            *d++ = char(0xC0 | (c >> 6));
            *d++ = char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *d++ = char(0xE0 | (c >> 12));
            *d++ = char(0x80 | ((c >> 6) & 0x3F));
            *d++ = char(0x80 | (c & 0x3F));
        } else {
            *d++ = char(0xF0 | (c >> 18));
            *d++ = char(0x80 | ((c >> 12) & 0x3F));
            *d++ = char(0x80 | ((c >> 6) & 0x3F));
            *d++ = char(0x80 | (c & 0x3F));
        }
    }
    out.resize(size_t(d - out.data()));
    return out;
}

Text fromUtf8(std::string_view s) {
    Text out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        unsigned char b = s[i];
        uint32_t c = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            c = b;
        } else if ((b >> 5) == 6 && i + 1 < s.size()) {
            c = ((b & 0x1F) << 6) | (s[i + 1] & 0x3F);
            len = 2;
        } else if ((b >> 4) == 14 && i + 2 < s.size()) {
            c = ((b & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
            len = 3;
        } else if ((b >> 3) == 30 && i + 3 < s.size()) {
            c = ((b & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F);
            len = 4;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
        i += len;
    }
    return out;
}

std::string toValidUtf8(std::string_view s) {
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    auto in = [&s](size_t at, unsigned lo, unsigned hi) {
        return at < s.size() && uint8_t(s[at]) >= lo && uint8_t(s[at]) <= hi;
    };
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const uint8_t b = uint8_t(s[i]);
        size_t len = 0;
        if (b < 0x80) {
            len = 1;
        } else if (b >= 0xC2 && b <= 0xDF) {
            len = in(i + 1, 0x80, 0xBF) ? 2 : 0;
        } else if (b >= 0xE0 && b <= 0xEF) {
            if (b == 0xED && in(i + 1, 0xA0, 0xBF) && in(i + 2, 0x80, 0xBF)) {
                out += kReplacement;  // a surrogate on its own
                i += 3;
                continue;
            }
            const unsigned lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
            len = in(i + 1, lo, hi) && in(i + 2, 0x80, 0xBF) ? 3 : 0;
        } else if (b >= 0xF0 && b <= 0xF4) {
            const unsigned lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
            len = in(i + 1, lo, hi) && in(i + 2, 0x80, 0xBF) && in(i + 3, 0x80, 0xBF) ? 4 : 0;
        }
        if (len == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(s.substr(i, len));
            i += len;
        }
    }
    return out;
}

}  // namespace orvane
