#include "profile/AppPaths.h"

#include <cstdlib>

namespace orvane {

std::filesystem::path ApplicationFolder() {
    if (const char* env = std::getenv("ORVANE_APP_DIR"); env != nullptr && *env != '\0') {
        std::error_code ec;
        auto absolute = std::filesystem::absolute(env, ec);
        return ec ? std::filesystem::path(env) : absolute;
    }
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
    return std::filesystem::current_path(ec);
}

}  // namespace orvane
