#pragma once
// A decoded picture: shared, immutable, premultiplied 0xAARRGGBB pixels, row after row.
// Copying an Image copies a handle; a null Image (a file that did not load) draws nothing.
//
// A picture read from a file may be deferred: its size is known at once, its pixels are decoded
// when first used, and the painter may let them go again once it holds the picture resampled
// to the size it is drawn at (they are decoded again if ever needed). Pictures belong to the UI
// thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

namespace orvane::platform {

class Image {
public:
    // Gives the pixels of a deferred picture: width * height of them, or fewer when the file
    // can no longer be read (the picture is then transparent).
    using Source = std::function<std::vector<uint32_t>()>;

    Image() = default;
    // Takes width * height pixels; a size that does not match gives a null image.
    Image(int32_t width, int32_t height, std::vector<uint32_t> pixels);
    // A picture of one colour, for tests and placeholders.
    static Image filled(int32_t width, int32_t height, Color color);
    // A picture of a known size whose pixels come from source when first used.
    static Image deferred(int32_t width, int32_t height, Source source);
    // The pixels of an image no one else holds, without a copy (else a copy); empty for null.
    static std::vector<uint32_t> takePixels(Image&& image);

    bool isNull() const { return !data_; }
    explicit operator bool() const { return !isNull(); }
    int32_t width() const { return data_ ? data_->width : 0; }
    int32_t height() const { return data_ ? data_->height : 0; }
    Size size() const { return {width(), height()}; }
    Rect rect() const { return {0, 0, width(), height()}; }
    uint32_t pixel(int32_t x, int32_t y) const { return pixels()[size_t(y) * size_t(data_->width) + size_t(x)]; }
    const uint32_t* bits() const { return data_ ? pixels() : nullptr; }
    // Identity of the picture: equal for copies of one Image (used by painters' caches).
    const void* key() const { return data_.get(); }

    // For deferred pictures: whether the pixels are in memory, and letting them go until the
    // next use. Pictures made from pixels keep them.
    bool pixelsLoaded() const { return data_ && !data_->pixels.empty(); }
    void releasePixels() const;

    friend bool operator==(const Image& a, const Image& b) { return a.data_ == b.data_; }

private:
    struct Data {
        int32_t width;
        int32_t height;
        mutable std::vector<uint32_t> pixels;
        Source source;
    };
    const uint32_t* pixels() const {
        if (data_->pixels.empty()) load();
        return data_->pixels.data();
    }
    void load() const;

    std::shared_ptr<const Data> data_;
};

}  // namespace orvane::platform
