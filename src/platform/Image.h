#pragma once
// A decoded picture: shared, immutable, premultiplied 0xAARRGGBB pixels, row after row.
// Copying an Image copies a handle; a null Image (a file that did not load) draws nothing.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

namespace orvane::platform {

class Image {
public:
    Image() = default;
    // Takes width * height pixels; a size that does not match gives a null image.
    Image(int32_t width, int32_t height, std::vector<uint32_t> pixels);
    // A picture of one colour, for tests and placeholders.
    static Image filled(int32_t width, int32_t height, Color color);

    bool isNull() const { return !data_; }
    explicit operator bool() const { return !isNull(); }
    int32_t width() const { return data_ ? data_->width : 0; }
    int32_t height() const { return data_ ? data_->height : 0; }
    Size size() const { return {width(), height()}; }
    Rect rect() const { return {0, 0, width(), height()}; }
    uint32_t pixel(int32_t x, int32_t y) const { return data_->pixels[size_t(y) * size_t(data_->width) + size_t(x)]; }
    const uint32_t* bits() const { return data_ ? data_->pixels.data() : nullptr; }
    // Identity of the pixel buffer: equal for copies of one Image (used by painters' caches).
    const void* key() const { return data_.get(); }

    friend bool operator==(const Image& a, const Image& b) { return a.data_ == b.data_; }

private:
    struct Data {
        int32_t width;
        int32_t height;
        std::vector<uint32_t> pixels;
    };
    std::shared_ptr<const Data> data_;
};

}  // namespace orvane::platform
