#pragma once
// A small streaming JSON writer: objects, arrays, strings (UTF-8, escaped), numbers, booleans.
// Commas and indentation are handled here so callers only say what comes next.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"

namespace orvane::cli {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const Text& text) { return value(std::string_view(toUtf8(text))); }
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(int64_t number);
    JsonWriter& value(int number) { return value(int64_t(number)); }
    JsonWriter& value(uint32_t number) { return value(int64_t(number)); }
    JsonWriter& value(bool flag);
    JsonWriter& null();
    // "0C 01 07": byte strings are easier to compare as hex than as arrays.
    JsonWriter& hex(const uint8_t* data, size_t n);

    template <typename T>
    JsonWriter& field(std::string_view name, const T& v) {
        key(name);
        return value(v);
    }

    [[nodiscard]] const std::string& str() const { return out_; }

private:
    void separate();
    void raw(std::string_view s) { out_ += s; }
    void newline();

    std::string out_;
    std::vector<bool> first_;  // per open container: nothing written into it yet
    bool afterKey_ = false;
};

std::string hexString(const uint8_t* data, size_t n);

}  // namespace orvane::cli
