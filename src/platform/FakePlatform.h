#pragma once
// Platform for tests: virtual time, in-memory windows and images registered by the test.
#include <map>
#include <optional>
#include <vector>

#include "base/VirtualEventLoop.h"
#include "platform/FakeFileChooser.h"
#include "platform/FakeKeyboard.h"
#include "platform/FakeWindow.h"
#include "platform/Platform.h"

namespace orvane::platform {

class FakePlatform : public Platform {
public:
    explicit FakePlatform(ScreenInfo screen = {});
    // Pictures are read from the files of appDir with decoder instead of being registered.
    FakePlatform(ScreenInfo screen, std::string appDir, ImageCache::Decoder decoder);

    EventLoop& loop() override { return loop_; }
    VirtualEventLoop& clock() { return loop_; }
    ImageCache& images() override { return images_; }
    const ScreenInfo& screen() const override { return screen_; }
    Rect pointerScreen() const override { return pointerScreen_ ? *pointerScreen_ : Platform::pointerScreen(); }
    bool placesWindows() const override { return placesWindows_; }
    // A desktop like Wayland's, where windows are placed by the compositor alone.
    void setPlacesWindows(bool on) { placesWindows_ = on; }
    // Puts the pointer on another screen with this work area.
    void setPointerScreen(Rect workArea) { pointerScreen_ = workArea; }
    std::unique_ptr<Window> createWindow(WindowHost& host, const WindowOptions& options) override;
    // Records the painting and returns a black picture of the size.
    Image render(Size size, const std::function<void(Painter&)>& paint) override;
    Status savePng(const Image& image, const std::string& path) override;
    FileChooser& fileChooser() override { return chooser_; }
    FakeFileChooser& files() { return chooser_; }
    std::unique_ptr<KeyboardHook> createKeyboardHook() override { return keyboard_.createHook(); }
    // What the user types, heard by the running hooks.
    FakeKeyboard& keyboard() { return keyboard_; }

    // Makes a skin path loadable ("skins\\x.png" as the code names it).
    void addImage(const std::string& skinPath, Image image);
    // The windows created so far, oldest first; entries of destroyed windows are null.
    FakeWindow* window(size_t i) const { return i < windows_.size() ? windows_[i] : nullptr; }
    FakeWindow* lastWindow() const;
    size_t windowCount() const { return windows_.size(); }
    const RecordingPainter& lastRender() const { return lastRender_; }
    // What the user does in every modal run of a window created from now on (a window's own
    // onModal may replace it); without one a modal run returns at once.
    std::function<void(FakeWindow&)> onModal;
    // Every picture asked for that could not be loaded, by absolute name, in order.
    const std::vector<std::string>& missingPictures() const { return missing_; }

private:
    // Declared first: windows whose deletion is still queued on the loop clear their entry.
    std::vector<FakeWindow*> windows_;
    VirtualEventLoop loop_;
    ScreenInfo screen_;
    std::optional<Rect> pointerScreen_;
    bool placesWindows_ = true;
    std::map<std::string, Image> files_;
    std::vector<std::string> missing_;
    ImageCache images_;
    RecordingPainter lastRender_;
    FakeFileChooser chooser_;
    FakeKeyboard keyboard_;
};

}  // namespace orvane::platform
