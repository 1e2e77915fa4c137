#pragma once
// The gallery's platform: pictures are painted and decoded by the real platform, but windows are
// in memory and time is virtual, so every state can be reached by scripted input and the sheets
// come out the same on every run.
#include "base/VirtualEventLoop.h"
#include "platform/FakeWindow.h"
#include "platform/Platform.h"
#include "ui/CControlBase.h"

namespace orvane::ui::gallery {

class GalleryPlatform : public platform::Platform {
public:
    GalleryPlatform(platform::Platform& real, float scale);

    EventLoop& loop() override { return loop_; }
    platform::ImageCache& images() override { return real_.images(); }
    const platform::ScreenInfo& screen() const override { return screen_; }
    std::unique_ptr<platform::Window> createWindow(platform::WindowHost& host,
                                                   const platform::WindowOptions& options) override;
    Image render(Size size, const std::function<void(Painter&)>& paint) override { return real_.render(size, paint); }
    Status savePng(const Image& image, const std::string& path) override { return real_.savePng(image, path); }
    platform::FileChooser& fileChooser() override { return real_.fileChooser(); }
    VirtualEventLoop& clock() { return loop_; }

private:
    platform::Platform& real_;
    VirtualEventLoop loop_;
    platform::ScreenInfo screen_;
};

}  // namespace orvane::ui::gallery
