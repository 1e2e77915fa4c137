#pragma once
// The services windows are given: the event loop, images, the screen and window creation.
// The product uses the Qt platform; tests use FakePlatform.
#include <functional>
#include <memory>
#include <string>

#include "base/EventLoop.h"
#include "base/Result.h"
#include "platform/FileChooser.h"
#include "platform/ImageCache.h"
#include "platform/KeyboardHook.h"
#include "platform/Window.h"

namespace orvane::platform {

struct ScreenInfo {
    Size fullScreen{1920, 1040};  // the work area of the primary screen
    float displayScale = 1.0f;    // every design coordinate is multiplied by it
    float pixelDensity = 1.0f;    // logical dots per inch / 96
};

// 2.0 on very wide screens (more than 3000 pixels of full-screen width), else 1.0.
constexpr float displayScaleFor(int32_t fullScreenWidth) { return fullScreenWidth > 3000 ? 2.0f : 1.0f; }

class Platform {
public:
    virtual ~Platform() = default;
    virtual EventLoop& loop() = 0;
    virtual ImageCache& images() = 0;
    virtual const ScreenInfo& screen() const = 0;
    // Whether a window can be put at a place of our choosing (not on Wayland, where only the
    // compositor places windows).
    virtual bool placesWindows() const { return true; }
    // The work area, in screen coordinates, of the screen the pointer is on.
    virtual Rect pointerScreen() const { return Rect::fromSize(0, 0, screen().fullScreen.width, screen().fullScreen.height); }
    // Created hidden.
    virtual std::unique_ptr<Window> createWindow(WindowHost& host, const WindowOptions& options) = 0;
    // Paints into an off-screen picture of the given size (black to begin with) and returns it.
    virtual Image render(Size size, const std::function<void(Painter&)>& paint) = 0;
    virtual Status savePng(const Image& image, const std::string& path) = 0;
    // The desktop's file chooser.
    virtual FileChooser& fileChooser() = 0;
    // A hook for keys as they are typed (macro recording, key pickers); none where no keys
    // can be captured.
    virtual std::unique_ptr<KeyboardHook> createKeyboardHook() { return nullptr; }
};

}  // namespace orvane::platform
