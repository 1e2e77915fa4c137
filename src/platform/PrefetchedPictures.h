#pragma once
// Pictures decoded on a thread of their own while the program starts, and handed to the UI
// thread when it first draws them.
//
// At start-up the window's first paint used to spend most of its time decoding two pictures
// (its background and the mouse, about 20 ms on a quiet two-core machine) while the second core
// stood idle. Naming them here starts their decoding while the window system and the window are
// being set up; the paint then finds them ready (or waits only for what is left).
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/ImageCache.h"

namespace orvane::platform {

class PrefetchedPictures {
public:
    // Starts decoding files (absolute names), in order, on a thread of its own. The decoder must
    // be safe to call from that thread.
    PrefetchedPictures(ImageCache::Decoder decoder, std::vector<std::string> files);
    // Lets go of the pictures not taken, waiting for a decoding under way (the rest is not
    // started).
    ~PrefetchedPictures();
    PrefetchedPictures(const PrefetchedPictures&) = delete;
    PrefetchedPictures& operator=(const PrefetchedPictures&) = delete;

    // The decoded picture of file, once: waits while it is being decoded. Nothing when file is not
    // one of these, was taken already, was dropped, or is still waiting its turn (the caller then
    // decodes it itself rather than wait for the ones before it).
    std::optional<Image> take(const std::string& file);

private:
    enum class State { Waiting, Decoding, Done, Gone };
    struct Entry {
        std::string file;
        State state = State::Waiting;
        Image image;
    };
    void run();

    ImageCache::Decoder decoder_;
    std::mutex mutex_;
    std::condition_variable decoded_;
    std::vector<Entry> entries_;
    std::thread worker_;
};

}  // namespace orvane::platform
