#include "profile/TextFile.h"

#include <bit>
#include <cstring>

namespace orvane {

LineReader::LineReader(std::string_view bytes) : bytes_(bytes) {}

std::optional<Text> LineReader::Next() {
    // A trailing odd byte cannot form a character and is not a line.
    const size_t units = bytes_.size() >= pos_ ? (bytes_.size() - pos_) / 2 : 0;
    if (units == 0) return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data()) + pos_;
    Text line;
    size_t i = 0;
    for (; i < units; ++i) {
        if (p[2 * i] == 0x0A && p[2 * i + 1] == 0) {
            ++i;
            break;
        }
    }
    line.resize(i);
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(line.data(), p, 2 * i);
    } else {
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
