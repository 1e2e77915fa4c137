#include "profile/TextFile.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace orvane {

LineReader::LineReader(std::string_view bytes) : bytes_(bytes) {}

std::optional<Text> LineReader::Next() {
    // A trailing odd byte cannot form a character and is not a line.
    const size_t units = bytes_.size() >= pos_ ? (bytes_.size() - pos_) / 2 : 0;
    if (units == 0) return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data()) + pos_;
    // The line feed is the first 0x0A byte at an even offset with 0x00 after it; memchr finds
    // the candidates far faster than a loop over every character.
    size_t i = units;
    for (size_t from = 0; from < 2 * units;) {
        const void* hit = std::memchr(p + from, 0x0A, 2 * units - from);
        if (hit == nullptr) break;
        const size_t at = size_t(static_cast<const unsigned char*>(hit) - p);
        if (at % 2 == 0 && p[at + 1] == 0) {
            i = at / 2 + 1;
            break;
        }
        from = at + 1;
    }
    Text line;
    if constexpr (std::endian::native == std::endian::little) {
        // Copied in one go: a resize first would fill the line with zeros one character at a time.
        if (reinterpret_cast<uintptr_t>(p) % alignof(char16_t) == 0) {
            line.assign(reinterpret_cast<const char16_t*>(p), i);
        } else {
            line.resize(i);
            std::memcpy(line.data(), p, 2 * i);
        }
    } else {
        line.resize(i);
        for (size_t k = 0; k < i; ++k) line[k] = char16_t(p[2 * k] | (p[2 * k + 1] << 8));
    }
    pos_ += 2 * i;
    if (line.size() >= 2 && line.back() == u'\n') line.pop_back();
    ++lineNumber_;
    return line;
}

TextFileWriter::TextFileWriter() {
    text_.push_back(u'\xFEFF');
}

void TextFileWriter::Line(std::u16string_view text) {
    text_ += text;
    text_ += u'\n';
}

std::string TextFileWriter::Bytes() const {
    std::string out(text_.size() * 2, '\0');
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out.data(), text_.data(), out.size());
        return out;
    }
    for (size_t i = 0; i < text_.size(); ++i) {
        out[2 * i] = char(text_[i] & 0xFF);
        out[2 * i + 1] = char(text_[i] >> 8);
    }
    return out;
}

}  // namespace orvane
