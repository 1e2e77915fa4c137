#include "platform/Image.h"

namespace orvane::platform {

Image::Image(int32_t width, int32_t height, std::vector<uint32_t> pixels) {
    if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height)) return;
    data_ = std::make_shared<const Data>(Data{width, height, std::move(pixels), {}});
}

Image Image::filled(int32_t width, int32_t height, Color color) {
    if (width <= 0 || height <= 0) return {};
    const uint32_t a = color.a;
    // Premultiply so a half-transparent fill stores what painters expect.
    const Color pm{uint8_t(color.r * a / 255), uint8_t(color.g * a / 255), uint8_t(color.b * a / 255), color.a};
    return Image(width, height, std::vector<uint32_t>(size_t(width) * size_t(height), pm.toArgb()));
}

Image Image::deferred(int32_t width, int32_t height, Source source) {
    Image img;
    if (width <= 0 || height <= 0 || !source) return img;
    img.data_ = std::make_shared<const Data>(Data{width, height, {}, std::move(source)});
    return img;
}

std::vector<uint32_t> Image::takePixels(Image&& image) {
    if (!image.data_) return {};
    (void)image.pixels();
    std::vector<uint32_t> out =
        image.data_.use_count() == 1 ? std::move(image.data_->pixels) : image.data_->pixels;
    image.data_.reset();
    return out;
}

void Image::releasePixels() const {
    if (data_ && data_->source) std::vector<uint32_t>().swap(data_->pixels);
}

void Image::load() const {
    const size_t count = size_t(data_->width) * size_t(data_->height);
    if (data_->source) data_->pixels = data_->source();
    // Whatever the file holds now, the picture keeps the size it was given.
    if (data_->pixels.size() != count) data_->pixels.assign(count, 0);
}

}  // namespace orvane::platform
