#pragma once
// Frames written as hex in tests: "0C 01 07 00 05 01 01 01" with the rest of the 33 bytes 0.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "device/CommandFrame.h"

namespace orvane::test {

inline std::vector<uint8_t> hexBytes(const std::string& hex) {
    std::vector<uint8_t> out;
    std::istringstream in(hex);
    std::string byte;
    while (in >> byte) out.push_back(static_cast<uint8_t>(std::stoul(byte, nullptr, 16)));
    return out;
}

inline Frame frameOf(const std::string& hex) {
    Frame f{};
    const auto bytes = hexBytes(hex);
    for (size_t i = 0; i < bytes.size() && i < f.size(); ++i) f[i] = bytes[i];
    return f;
}

inline std::string hexOf(const uint8_t* data, size_t n) {
    std::string s;
    static const char* digits = "0123456789ABCDEF";
    for (size_t i = 0; i < n; ++i) {
        if (i) s += ' ';
        s += digits[data[i] >> 4];
        s += digits[data[i] & 15];
    }
    return s;
}
template <typename C>
std::string hexOf(const C& c) {
    return hexOf(c.data(), c.size());
}

}  // namespace orvane::test
