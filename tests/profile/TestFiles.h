#pragma once
// Helpers for the file tests: a temporary application folder and UTF-16 file bytes from UTF-8.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "base/Text.h"
#include "profile/AtomicFile.h"
#include "profile/TextFile.h"
#include "support/TempFolder.h"

namespace orvane::testing {

// UTF-16LE file bytes with the byte order mark; each line gets a line feed.
inline std::string Utf16File(const std::vector<std::string>& lines) {
    TextFileWriter w;
    for (const auto& l : lines) w.Line(fromUtf8(l));
    return w.Bytes();
}

// Raw UTF-16LE bytes of a text (BOM included), for files that break the line conventions.
inline std::string Utf16Raw(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t c : text) {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    return out;
}

class TempAppDir : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = test::MakeTempFolder("orvane-test");
        std::filesystem::create_directories(dir_ / "config");
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    [[nodiscard]] std::filesystem::path Config(const std::string& name) const {
        return dir_ / "config" / name;
    }

    void Put(const std::filesystem::path& path, const std::string& bytes) const {
        ASSERT_TRUE(WriteFileAtomically(path, bytes).ok()) << path;
    }
    [[nodiscard]] static std::string Get(const std::filesystem::path& path) {
        auto bytes = ReadFileBytes(path);
        return bytes ? *bytes : std::string("<missing>");
    }
    [[nodiscard]] static bool Exists(const std::filesystem::path& path) {
        return std::filesystem::exists(path);
    }

    std::filesystem::path dir_;
};

}  // namespace orvane::testing
