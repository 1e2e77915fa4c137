#include "platform/PrefetchedPictures.h"

#include <algorithm>

namespace orvane::platform {

PrefetchedPictures::PrefetchedPictures(ImageCache::Decoder decoder, std::vector<std::string> files)
    : decoder_(std::move(decoder)) {
    for (std::string& f : files) entries_.push_back(Entry{std::move(f), State::Waiting, {}});
    if (decoder_ && !entries_.empty()) worker_ = std::thread([this] { run(); });
}

PrefetchedPictures::~PrefetchedPictures() {
    {
        std::lock_guard lock(mutex_);
        for (Entry& e : entries_) e.state = State::Gone;
    }
    if (worker_.joinable()) worker_.join();
}

void PrefetchedPictures::run() {
    for (size_t i = 0;; ++i) {
        std::string file;
        {
            std::lock_guard lock(mutex_);
            if (i >= entries_.size()) return;
            if (entries_[i].state != State::Waiting) continue;
            entries_[i].state = State::Decoding;
            file = entries_[i].file;
        }
        Image image = decoder_(file);
        {
            std::lock_guard lock(mutex_);
            Entry& e = entries_[i];
            // Dropped (or given up) while it was being decoded: nothing keeps it.
            if (e.state == State::Decoding) {
                e.image = std::move(image);
                e.state = State::Done;
            }
        }
        decoded_.notify_all();
    }
}

std::optional<Image> PrefetchedPictures::take(const std::string& file) {
    std::unique_lock lock(mutex_);
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.file == file; });
    if (it == entries_.end()) return std::nullopt;
    if (it->state == State::Waiting) {
        it->state = State::Gone;
        return std::nullopt;
    }
    decoded_.wait(lock, [&] { return it->state != State::Decoding; });
    if (it->state != State::Done) return std::nullopt;
    it->state = State::Gone;
    return std::move(it->image);
}

}  // namespace orvane::platform
