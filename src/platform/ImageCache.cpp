#include "platform/ImageCache.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/PictureStore.h"
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

// Pictures the store did not hold when they were read, noted by whichever thread read them.
struct ImageCache::Misses {
    std::mutex mutex;
    std::set<std::string> files;
    void add(const std::string& file) {
        std::lock_guard lock(mutex);
        files.insert(file);
    }
    bool has(const std::string& file) {
        std::lock_guard lock(mutex);
        return files.count(file) > 0;
    }
};

// Keeps in the store, after the first paint and off the UI thread, the pictures it drew that the
// store lacked, and names all it drew for the next start. A cache that goes meanwhile (the
// program quit within its first second) waits for it: a few decodes, once per skin.
class ImageCache::StoreWriter {
public:
    StoreWriter(Decoder decoder, std::shared_ptr<const PictureStore> store, std::vector<std::string> drawn,
                std::vector<std::string> missing)
        : thread_([decoder = std::move(decoder), store = std::move(store), drawn = std::move(drawn),
                   missing = std::move(missing)] {
              for (const std::string& f : missing)
                  if (const Image img = decoder(f)) (void)store->write(f, img);
              if (store->firstPictures() != drawn) (void)store->writeFirstPictures(drawn);
          }) {}
    ~StoreWriter() { thread_.join(); }
    StoreWriter(const StoreWriter&) = delete;
    StoreWriter& operator=(const StoreWriter&) = delete;

private:
    std::thread thread_;
};

namespace {
// A picture's pixels: handed over by the prefetch, else read from the store, else decoded (and
// noted as missing from the store).
Image obtain(const ImageCache::Decoder& decoder, const std::weak_ptr<PrefetchedPictures>& prefetched,
             const PictureStore* store, const std::function<void(const std::string&)>& missed,
             const std::string& file) {
    if (const auto p = prefetched.lock())
        if (std::optional<Image> img = p->take(file)) return std::move(*img);
    if (store) {
        if (std::optional<Image> kept = store->read(file)) return std::move(*kept);
        missed(file);
    }
    return decoder(file);
}
}  // namespace

void ImageCache::prefetch(const std::vector<std::string>& utf8Paths) {
    prefetched_.reset();
    std::vector<std::string> files;
    const auto add = [&files](std::string file) {
        if (!file.empty() && std::find(files.begin(), files.end(), file) == files.end()) files.push_back(std::move(file));
    };
    // What the last first paint drew, in the order it drew them, then what the caller names.
    if (store_)
        for (std::string& f : store_->firstPictures()) add(std::move(f));
    for (const std::string& p : utf8Paths)
        if (!p.empty()) add(resolve(p));
    if (!decoder_ || files.empty()) return;
    firstUse_->active = true;
    firstUse_->files.clear();
    misses_ = std::make_shared<Misses>();
    // Only read here: what the store lacks is kept after the paint, so this thread is done with
    // its pictures as soon as it can be.
    prefetched_ = std::make_shared<PrefetchedPictures>(
        [decoder = decoder_, store = store_, misses = misses_](const std::string& file) {
            return obtain(decoder, {}, store.get(), [&misses](const std::string& f) { misses->add(f); }, file);
        },
        std::move(files));
}

void ImageCache::dropPrefetch() {
    prefetched_.reset();
    firstUse_->active = false;
    firstUse_->files.clear();
}

void ImageCache::endPrefetch() {
    prefetched_.reset();
    if (!firstUse_->active) return;
    firstUse_->active = false;
    std::vector<std::string> drawn = std::move(firstUse_->files);
    firstUse_->files.clear();
    if (!store_ || !decoder_ || drawn.empty()) return;
    std::vector<std::string> missing;
    for (const std::string& f : drawn)
        if (misses_->has(f)) missing.push_back(f);
    storeWriter_.reset();  // waits for a previous one (only a second prefetch makes one)
    storeWriter_ = std::make_shared<StoreWriter>(decoder_, store_, std::move(drawn), std::move(missing));
}


Image ImageCache::open(const std::string& file) {
    if (!decoder_) return {};
    ++decodes_;
    const std::weak_ptr<PrefetchedPictures> prefetched = prefetched_;
    const auto noteFirstUse = [](FirstUse& use, const std::string& f) {
        if (use.active && std::find(use.files.begin(), use.files.end(), f) == use.files.end()) use.files.push_back(f);
    };
    const auto missed = [misses = misses_](const std::string& f) {
        if (misses) misses->add(f);
    };
    if (!sizeReader_) {
        noteFirstUse(*firstUse_, file);
        return obtain(decoder_, prefetched, store_.get(), missed, file);
    }
    const std::optional<Size> size = sizeReader_(file);
    if (!size || size->width <= 0 || size->height <= 0) return {};
    return Image::deferred(size->width, size->height,
                           [decoder = decoder_, prefetched, store = store_, firstUse = firstUse_, noteFirstUse, missed,
                            file, size = *size, reports = reports_] {
                               noteFirstUse(*firstUse, file);
                               Image img = obtain(decoder, prefetched, store.get(), missed, file);
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
