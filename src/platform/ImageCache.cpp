#include "platform/ImageCache.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "profile/AppPaths.h"

namespace orvane::platform {

ImageCache::ImageCache(std::string appDir, Decoder decoder) : appDir_(std::move(appDir)), decoder_(std::move(decoder)) {
    if (!appDir_.empty() && appDir_.back() != '/') appDir_ += '/';
}

std::string ImageCache::resolve(const std::string& utf8Path) const {
    std::string p = utf8Path;
    for (char& c : p)
        if (c == '\\') c = '/';
    if (!p.empty() && p.front() == '/') return p;
    return appDir_ + p;
}

Image ImageCache::load(const Text& path) { return load(toUtf8(path)); }

Image ImageCache::load(const std::string& utf8Path) {
    if (utf8Path.empty()) return {};
    const std::string file = resolve(utf8Path);
    auto it = cache_.find(file);
    if (it != cache_.end()) return it->second;
    Image img;
    if (decoder_) {
        ++decodes_;
        img = decoder_(file);
    }
    cache_.emplace(file, img);
    return img;
}

std::string applicationDir() {
    if (const char* env = std::getenv("ORVANE_APP_DIR"); env && *env) {
        std::string dir = env;
        if (dir.back() != '/') dir += '/';
        return dir;
    }
    // The build tree's bin/, or an installed program's share/orvane.
    std::string dir = ShippedFolder().string();
    if (dir.empty()) return "./";
    if (dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace orvane::platform
