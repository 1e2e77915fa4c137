#include "cli/JsonWriter.h"

#include <cstdio>

namespace orvane::cli {

std::string hexString(const uint8_t* data, size_t n) {
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        if (i) s += ' ';
        s += digits[data[i] >> 4];
        s += digits[data[i] & 15];
    }
    return s;
}

void JsonWriter::newline() {
    out_ += '\n';
    out_.append(first_.size() * 2, ' ');
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (first_.empty()) return;
    if (!first_.back()) out_ += ',';
    first_.back() = false;
    newline();
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    raw("{");
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) newline();
    raw("}");
    if (first_.empty()) out_ += '\n';
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    raw("[");
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) newline();
    raw("]");
    if (first_.empty()) out_ += '\n';
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    value(name);
    raw(": ");
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    separate();
    out_ += '"';
    // JSON is UTF-8 only: a name with a lone surrogate, or a path in another encoding, would
    // make the whole document unreadable.
    for (unsigned char c : toValidUtf8(text)) {
        switch (c) {
        case '"': raw("\\\""); break;
        case '\\': raw("\\\\"); break;
        case '\n': raw("\\n"); break;
        case '\r': raw("\\r"); break;
        case '\t': raw("\\t"); break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                raw(buf);
            } else {
                out_ += char(c);
            }
        }
    }
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::value(int64_t number) {
    separate();
    raw(std::to_string(number));
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    separate();
    raw(flag ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    raw("null");
    return *this;
}

JsonWriter& JsonWriter::hex(const uint8_t* data, size_t n) { return value(std::string_view(hexString(data, n))); }

}  // namespace orvane::cli
