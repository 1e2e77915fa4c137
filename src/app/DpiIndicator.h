#pragma once
// Says for a moment which DPI level the mouse switched to by its own button: a small window
// near the bottom of the screen the pointer is on, with the level as the window numbers it and
// its DPI value in the level's indicator colour. It never takes the keyboard and clicks pass
// through it; a second change replaces what it shows and starts its time again. Where the
// desktop lets no program place such a window (Wayland), a passing desktop notification that
// replaces the previous one says the same.
#include <memory>
#include <optional>

#include "base/Text.h"
#include "platform/Notifier.h"
#include "platform/Platform.h"
#include "profile/LanguageTable.h"
#include "profile/Settings.h"

namespace orvane {

namespace indicator {
inline constexpr int kTextLevel = 390;  // "DPI level %d"
inline constexpr int kTextDpi = 391;    // "%d DPI"
inline constexpr int kTextToggle = 392; // the tray item
}  // namespace indicator

class DpiIndicator : public platform::WindowHost {
public:
    static constexpr int kShowMs = 1500;
    static constexpr int kHideTimer = 1;
    // Design size; times the display scale on screen.
    static constexpr int32_t kWidth = 190;
    static constexpr int32_t kHeight = 64;
    static constexpr int32_t kBottomGap = 96;  // from the bottom of the work area

    struct Content {
        int level = 1;        // 1-4, the column of the DPI section
        int dpi = 0;
        uint32_t colour = 0;  // 0x00BBGGRR
        friend bool operator==(const Content&, const Content&) = default;
    };

    // notifier may be null: then nothing is shown where no window can be placed.
    DpiIndicator(platform::Platform& platform, const LanguageTable& language, platform::Notifier* notifier);
    ~DpiIndicator() override;

    void Announce(const Content& content);
    void Hide();
    // The window is up (not the notification).
    bool Shown() const;
    // What the window shows now (or showed last).
    const std::optional<Content>& Current() const { return content_; }
    Text LevelText(const Content& c) const;
    Text DpiText(const Content& c) const;
    platform::Window* GetWindow() const { return window_.get(); }

protected:
    void onPaint(platform::Painter& p, const platform::Rect& dirty) override;
    void onPointer(const platform::PointerEvent&) override {}
    intptr_t onMessage(uint32_t, uintptr_t, intptr_t) override { return 0; }
    void onTimer(int id) override;
    // An alert saying the level and its DPI, e.g. "DPI level 2: 1600 DPI".
    platform::AccessibleNode accessibleWindow() const override;

private:
    void ShowWindow();
    platform::Rect Placement() const;

    platform::Platform& platform_;
    const LanguageTable& language_;
    platform::Notifier* notifier_;
    std::unique_ptr<platform::Window> window_;
    std::optional<Content> content_;
};

}  // namespace orvane
