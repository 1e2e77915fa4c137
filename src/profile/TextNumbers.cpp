#include "profile/TextNumbers.h"

#include <cstdint>

namespace orvane {
namespace {

int DigitValue(char16_t c, int base) {
    int v = -1;
    if (c >= u'0' && c <= u'9')
        v = c - u'0';
    else if (c >= u'a' && c <= u'f')
        v = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        v = c - u'A' + 10;
    return v < base ? v : -1;
}

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

int32_t ParseSigned(std::u16string_view s, int base) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    if (base == 16 && i + 2 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        // "0x%4X" pads with blanks after the prefix ("0x  FE"): they belong to the number.
        size_t digits = i + 2;
        while (digits < s.size() && s[digits] == u' ') ++digits;
        if (digits < s.size() && DigitValue(s[digits], 16) >= 0) i = digits;
    }
    int64_t n = 0;
    bool saturated = false;
    for (; i < s.size(); ++i) {
        const int d = DigitValue(s[i], base);
        if (d < 0) break;
        if (!saturated) {
            n = n * base + d;
            if (n > INT32_MAX) saturated = true;
        }
    }
    if (saturated) return negative ? INT32_MIN : INT32_MAX;
    return int32_t(negative ? -n : n);
}

}  // namespace

int32_t ParseDecimal(std::u16string_view text) {
    return ParseSigned(text, 10);
}

int32_t ParseHexSigned(std::u16string_view text) {
    return ParseSigned(text, 16);
}

uint32_t ParseUnsigned32(std::u16string_view s) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    uint64_t n = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        n = n * 10 + uint64_t(s[i] - u'0');
        if (n > UINT32_MAX) return UINT32_MAX;
    }
    return negative ? uint32_t(0 - n) : uint32_t(n);
}

uint32_t HexField(std::u16string_view line, size_t pos, size_t width) {
    uint32_t v = 0;
    for (size_t i = pos; i < line.size() && i < pos + width; ++i) {
        const int d = DigitValue(line[i], 16);
        if (d < 0) break;
        v = v * 16 + uint32_t(d);
    }
    return v;
}

void AppendHex2(Text& out, uint8_t value) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    out += kDigits[value >> 4];
    out += kDigits[value & 0xF];
}

void AppendHex4(Text& out, uint16_t value) {
    AppendHex2(out, uint8_t(value >> 8));
    AppendHex2(out, uint8_t(value));
}

void AppendDecimal(Text& out, long long value) {
    char16_t buf[24];
    size_t n = 0;
    unsigned long long u = value < 0 ? 0ULL - (unsigned long long)value : (unsigned long long)value;
    do {
        buf[n++] = char16_t(u'0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (value < 0) out += u'-';
    while (n > 0) out += buf[--n];
}

Text DecimalText(long long value) {
    Text t;
    AppendDecimal(t, value);
    return t;
}

}  // namespace orvane
