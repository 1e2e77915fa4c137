#pragma once
// The line conventions shared by every file of the config folder: UTF-16 little-endian with a
// byte order mark, lines ending in a single line feed. Readers are positional, so the line
// splitting here is exact: nothing but one trailing line feed is ever removed.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/Text.h"

namespace orvane {

// Splits file bytes into lines. The first two bytes are skipped unexamined (taken as the byte
// order mark). A line keeps a carriage return before its line feed; a line that is a line feed
// alone is returned as that one character, so a blank line never looks like an empty value.
class LineReader {
public:
    explicit LineReader(std::string_view bytes);
    LineReader(std::string&&) = delete;  // the reader only views the bytes

    // The next line, or none at the end of the file.
    std::optional<Text> Next();
    // 1-based number of the line last returned by Next().
    [[nodiscard]] int LineNumber() const { return lineNumber_; }

private:
    std::string_view bytes_;
    size_t pos_ = 2;
    int lineNumber_ = 0;
};

// Builds a file: byte order mark, then each line followed by a line feed.
class TextFileWriter {
public:
    TextFileWriter();
    void Line(std::u16string_view text);
    // The text being built, for formatters that append a line piece by piece before EndLine().
    Text& Current() { return text_; }
    void EndLine() { text_ += u'\n'; }
    [[nodiscard]] std::string Bytes() const;

private:
    Text text_;
};

}  // namespace orvane
