#include "platform/FakePlatform.h"

namespace orvane::platform {

namespace {
// Clears its entry in the platform's list when the window goes.
class TrackedFakeWindow : public FakeWindow {
public:
    TrackedFakeWindow(EventLoop& loop, WindowHost& host, const WindowOptions& o, std::vector<FakeWindow*>& list)
        : FakeWindow(loop, host, o), list_(list), index_(list.size()) {
        list_.push_back(this);
    }
    ~TrackedFakeWindow() override { list_[index_] = nullptr; }

private:
    std::vector<FakeWindow*>& list_;
    size_t index_;
};
}  // namespace

FakePlatform::FakePlatform(ScreenInfo screen)
    : FakePlatform(screen, "/fake/", [this](const std::string& path) {
          auto it = files_.find(path);
          return it == files_.end() ? Image{} : it->second;
      }) {}

FakePlatform::FakePlatform(ScreenInfo screen, std::string appDir, ImageCache::Decoder decoder)
    : screen_(screen), images_(std::move(appDir), std::move(decoder)) {
    // Tests register only the pictures they look at: a missing one is noted, not printed.
    images_.setMissingReporter([this](const std::string& file, bool) { missing_.push_back(file); });
}

std::unique_ptr<Window> FakePlatform::createWindow(WindowHost& host, const WindowOptions& options) {
    auto window = std::make_unique<TrackedFakeWindow>(loop_, host, options, windows_);
    window->onModal = onModal;
    return window;
}

Image FakePlatform::render(Size size, const std::function<void(Painter&)>& paint) {
    lastRender_ = RecordingPainter(size);
    paint(lastRender_);
    return Image::filled(size.width, size.height, Color{0, 0, 0, 255});
}

Status FakePlatform::savePng(const Image&, const std::string& path) {
    return makeError(ENOSYS, "save " + path + ": no image writer in the fake platform");
}

void FakePlatform::addImage(const std::string& skinPath, Image image) {
    files_[images_.resolve(skinPath)] = std::move(image);
    images_.clear();
}

FakeWindow* FakePlatform::lastWindow() const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if (*it) return *it;
    return nullptr;
}

}  // namespace orvane::platform
