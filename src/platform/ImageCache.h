#pragma once
// Skin images by path. Paths are the skin's own relative names ("skins\\menu_nr.png"); they
// are resolved against the application folder with '\\' read as '/'. Each file is decoded
// once; a file that fails to load is remembered as a null Image, so a missing picture costs
// nothing on later paints and draws nothing.
#include <functional>
#include <map>
#include <string>

#include "base/Text.h"
#include "platform/Image.h"

namespace orvane::platform {

class ImageCache {
public:
    // Decodes one file (PNG or BMP); returns a null Image when it cannot.
    using Decoder = std::function<Image(const std::string& path)>;

    ImageCache(std::string appDir, Decoder decoder);

    Image load(const Text& path);
    Image load(const std::string& utf8Path);
    // The absolute file name a skin path refers to.
    std::string resolve(const std::string& utf8Path) const;
    const std::string& appDir() const { return appDir_; }

    // Forgets everything, so that files changed on disk are read again.
    void clear() { cache_.clear(); }
    size_t size() const { return cache_.size(); }
    int decodeCount() const { return decodes_; }

private:
    std::string appDir_;
    Decoder decoder_;
    std::map<std::string, Image> cache_;
    int decodes_ = 0;
};

// The folder of the pictures: $ORVANE_APP_DIR when set, else the shipped folder (AppPaths.h).
// Always ends with '/'.
std::string applicationDir();

}  // namespace orvane::platform
