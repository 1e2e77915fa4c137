#pragma once
// A fresh, private folder under the system's temporary folder (TMPDIR) for one test. A folder
// that cannot be made throws, which fails the test that asked for it instead of letting it write
// somewhere shared. TempFolder removes the folder and everything in it when it goes.
#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace orvane::test {

inline std::filesystem::path MakeTempFolder(std::string_view prefix = "orvane-test") {
    std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder " + pattern + ": " + std::strerror(errno));
    return pattern;
}

class TempFolder {
public:
    explicit TempFolder(std::string_view prefix = "orvane-test") : path_(MakeTempFolder(prefix)) {}
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace orvane::test
