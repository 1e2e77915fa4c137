#include "ui/gallery/GalleryPlatform.h"

namespace orvane::ui::gallery {

GalleryPlatform::GalleryPlatform(platform::Platform& real, float scale) : real_(real) {
    screen_.fullScreen = scale >= 2.0f ? Size{3840, 2080} : Size{1920, 1040};
    screen_.displayScale = scale;
    screen_.pixelDensity = 1.0f;
}

std::unique_ptr<platform::Window> GalleryPlatform::createWindow(platform::WindowHost& host,
                                                                const platform::WindowOptions& options) {
    return std::make_unique<platform::FakeWindow>(loop_, host, options);
}

}  // namespace orvane::ui::gallery
