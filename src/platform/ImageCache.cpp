#include "platform/ImageCache.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/PrefetchedPictures.h"

namespace orvane::platform {

ImageCache::ImageCache(std::string appDir, Decoder decoder, SizeReader sizeReader)
    : ImageCache(std::vector<std::string>{std::move(appDir)}, std::move(decoder), std::move(sizeReader)) {}

ImageCache::ImageCache(std::vector<std::string> folders, Decoder decoder, SizeReader sizeReader)
    : folders_(std::move(folders)),
      decoder_(std::move(decoder)),
      sizeReader_(std::move(sizeReader)),
      reports_(std::make_shared<Reports>(Reports{&reportMissingPicture, {}})) {
    if (folders_.empty()) folders_.emplace_back();
    for (std::string& f : folders_)
        if (!f.empty() && f.back() != '/') f += '/';
}

std::string ImageCache::resolve(const std::string& utf8Path) const {
    std::string p = utf8Path;
    for (char& c : p)
        if (c == '\\') c = '/';
    if (!p.empty() && p.front() == '/') return p;
    if (folders_.size() == 1) return folders_.front() + p;
    if (auto known = resolved_.find(p); known != resolved_.end()) return known->second;
    std::string file = folders_.back() + p;
    for (const std::string& folder : folders_) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(folder + p, ec)) {
            file = folder + p;
            break;
        }
    }
    resolved_.emplace(p, file);
    return file;
}

Image ImageCache::load(const Text& path) { return load(toUtf8(path)); }

Image ImageCache::load(const std::string& utf8Path) { return load(utf8Path, true); }

Image ImageCache::loadOptional(const std::string& utf8Path) { return load(utf8Path, false); }

Image ImageCache::load(const std::string& utf8Path, bool report) {
    if (utf8Path.empty()) return {};
    const std::string file = resolve(utf8Path);
    auto it = cache_.find(file);
    if (it == cache_.end()) it = cache_.emplace(file, open(file)).first;
    if (it->second.isNull() && report) reports_->report(file);
    return it->second;
}

void ImageCache::prefetch(const std::vector<std::string>& utf8Paths) {
    prefetched_.reset();
    std::vector<std::string> files;
    for (const std::string& p : utf8Paths)
        if (!p.empty()) files.push_back(resolve(p));
    if (decoder_ && !files.empty()) prefetched_ = std::make_shared<PrefetchedPictures>(decoder_, std::move(files));
}

namespace {
Image decodeOrTake(const ImageCache::Decoder& decoder, const std::weak_ptr<PrefetchedPictures>& prefetched,
                   const std::string& file) {
    if (const auto p = prefetched.lock())
        if (std::optional<Image> img = p->take(file)) return std::move(*img);
    return decoder(file);
}
}  // namespace

Image ImageCache::open(const std::string& file) {
    if (!decoder_) return {};
    ++decodes_;
    const std::weak_ptr<PrefetchedPictures> prefetched = prefetched_;
    if (!sizeReader_) return decodeOrTake(decoder_, prefetched, file);
    const std::optional<Size> size = sizeReader_(file);
    if (!size || size->width <= 0 || size->height <= 0) return {};
    return Image::deferred(size->width, size->height,
                           [decoder = decoder_, prefetched, file, size = *size, reports = reports_] {
                               Image img = decodeOrTake(decoder, prefetched, file);
                               if (img.size() == size) return Image::takePixels(std::move(img));
                               reports->report(file);
                               return std::vector<uint32_t>{};
                           });
}

void ImageCache::Reports::report(const std::string& file) {
    if (!reporter || !reported.insert(file).second) return;
    std::error_code ec;
    reporter(file, std::filesystem::exists(file, ec));
}

size_t ImageCache::decodedBytes() const {
    size_t bytes = 0;
    for (const auto& [file, img] : cache_)
        if (img.pixelsLoaded()) bytes += size_t(img.width()) * size_t(img.height()) * 4;
    return bytes;
}

void reportMissingPicture(const std::string& file, bool exists) {
    std::fprintf(stderr, "%s: picture %s %s; its area stays empty\n", program_invocation_short_name, file.c_str(),
                 exists ? "cannot be read" : "is missing");
}

}  // namespace orvane::platform
