#pragma once
// The platform of the product: Qt underneath, invisible to users of this header. Create one
// per process, before any window, with the program's arguments.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace orvane::platform::qt {

class QtPlatform : public Platform {
public:
    // pictureFolders: where skin pictures are looked for, in order (the first holding a file
    // wins; a file found in none is looked for, and reported, in the last).
    QtPlatform(int& argc, char** argv, std::vector<std::string> pictureFolders);
    ~QtPlatform() override;

    EventLoop& loop() override;
    ImageCache& images() override;
    const ScreenInfo& screen() const override;
    Rect pointerScreen() const override;
    bool placesWindows() const override;
    std::unique_ptr<Window> createWindow(WindowHost& host, const WindowOptions& options) override;
    Image render(Size size, const std::function<void(Painter&)>& paint) override;
    Status savePng(const Image& image, const std::string& path) override;
    std::unique_ptr<KeyboardHook> createKeyboardHook() override;
    FileChooser& fileChooser() override;

    // Runs the application's event loop until quit().
    int exec();
    void quit();
    // Handles pending events without waiting (for tests).
    void processEvents();

    // Decodes a PNG or BMP file; null when it cannot.
    static Image decodeFile(const std::string& path);
    // The pixel size of a PNG or BMP file from its header; nothing when it is not one.
    static std::optional<Size> readImageSize(const std::string& path);

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace orvane::platform::qt
