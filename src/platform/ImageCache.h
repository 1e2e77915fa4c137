#pragma once
// Skin images by path. Paths are the skin's own relative names ("skins\\menu_nr.png"); they
// are resolved with '\\' read as '/' against a list of folders, the first holding the file
// winning (a user's own folder, then the installed copy). Each file is decoded
// once; a file that fails to load is remembered as a null Image, so a missing picture costs
// nothing on later paints and draws nothing. It is reported once, so that a broken install
// shows up as a message rather than as black areas.
//
// Given a way to read a picture's size alone, the cache hands out deferred pictures: a look
// that is never shown (a button's pressed state, say) is never decoded, and the painter may
// drop the pixels of a picture it has resampled (see Image).
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/Image.h"

namespace orvane::platform {

class PictureStore;
class PrefetchedPictures;

class ImageCache {
public:
    // Decodes one file (PNG or BMP); returns a null Image when it cannot.
    using Decoder = std::function<Image(const std::string& path)>;
    // Told once per file that could not be loaded: its absolute name and whether it exists.
    using MissingReporter = std::function<void(const std::string& file, bool exists)>;

    // Reads the size of the picture in one file without decoding it; nothing when it cannot.
    using SizeReader = std::function<std::optional<Size>(const std::string& path)>;

    // Missing pictures are reported on standard error until setMissingReporter says otherwise.
    // Without a size reader every picture is decoded when it is loaded.
    ImageCache(std::string appDir, Decoder decoder, SizeReader sizeReader = {});
    // Folders in the order they are searched; a file found in none is looked for (and reported)
    // in the last.
    ImageCache(std::vector<std::string> folders, Decoder decoder, SizeReader sizeReader = {});

    void setMissingReporter(MissingReporter reporter) { reports_->reporter = std::move(reporter); }

    Image load(const Text& path);
    Image load(const std::string& utf8Path);
    // As load, for pictures the skin may leave out: a missing one is not reported.
    Image loadOptional(const std::string& utf8Path);
    // The absolute file name a skin path refers to.
    std::string resolve(const std::string& utf8Path) const;
    const std::vector<std::string>& folders() const { return folders_; }

    // Starts decoding these pictures (skin paths, as load takes them) on a thread of their own,
    // for the first paint of a window that is still being set up: each is handed over when first
    // drawn. The decoder must then be safe to call from another thread. A second call replaces
    // the first.
    void prefetch(const std::vector<std::string>& utf8Paths);
    // Lets go of prefetched pictures not drawn yet (the window was not shown, say). With a store,
    // the pictures drawn since prefetch are then kept in it (on a thread of their own) and named
    // as the ones the next start prefetches.
    void endPrefetch();
    // As endPrefetch, for a window that was not painted (it starts minimised): what it used so far
    // is not the first paint's, and the store is left as it is.
    void dropPrefetch();

    // Reads pictures from store before decoding them; what the first paint drew is kept there
    // after it (see PictureStore). The decoder must then be safe to call from another thread.
    void useStore(std::shared_ptr<const PictureStore> store) { store_ = std::move(store); }

    // Forgets everything, so that files changed on disk are read again.
    void clear() {
        cache_.clear();
        resolved_.clear();
    }
    size_t size() const { return cache_.size(); }
    // Pixel bytes of the pictures held whose pixels are in memory.
    size_t decodedBytes() const;
    // Files opened for a picture (its size or its pixels), however often it is asked for.
    int decodeCount() const { return decodes_; }

private:
    // Shared with deferred pictures, which may report a file that became unreadable.
    struct Reports {
        MissingReporter reporter;
        std::set<std::string> reported;
        void report(const std::string& file);
    };
    // The pictures whose pixels were first asked for between prefetch and endPrefetch, in order.
    struct FirstUse {
        bool active = false;
        std::vector<std::string> files;
    };
    struct Misses;
    class StoreWriter;
    Image load(const std::string& utf8Path, bool report);
    Image open(const std::string& file);

    std::vector<std::string> folders_;  // each ends with '/'
    Decoder decoder_;
    SizeReader sizeReader_;
    std::shared_ptr<Reports> reports_;
    std::shared_ptr<PrefetchedPictures> prefetched_;
    std::shared_ptr<const PictureStore> store_;
    std::shared_ptr<FirstUse> firstUse_ = std::make_shared<FirstUse>();
    std::shared_ptr<Misses> misses_;
    std::shared_ptr<StoreWriter> storeWriter_;
    std::map<std::string, Image> cache_;
    mutable std::map<std::string, std::string> resolved_;  // skin path -> file, while searching
    int decodes_ = 0;
};

// The default report: one line on standard error.
void reportMissingPicture(const std::string& file, bool exists);

}  // namespace orvane::platform
