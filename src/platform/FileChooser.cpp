#include "platform/FileChooser.h"

namespace orvane::platform {

std::filesystem::path withDefaultSuffix(std::filesystem::path path, const Text& suffix) {
    if (suffix.empty() || path.empty() || path.has_extension() || !path.has_filename()) return path;
    // ".psf" alone is a name without a stem: it counts as the extension already given.
    const std::string name = path.filename().string();
    if (!name.empty() && name.front() == '.') return path;
    path += "." + toUtf8(suffix);
    return path;
}

}  // namespace orvane::platform
