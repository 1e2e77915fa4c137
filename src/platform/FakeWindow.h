#pragma once
// An in-memory window for behaviour tests of dialogs and menus: no screen, no Qt. The test
// drives pointer and key input and inspects what the window was asked to do.
#include <functional>
#include <vector>

#include "platform/RecordingPainter.h"
#include "platform/Window.h"

namespace orvane::platform {

class FakeWindow : public Window {
public:
    FakeWindow(EventLoop& loop, WindowHost& host, const WindowOptions& options);
    ~FakeWindow() override;

    Rect geometry() const override { return geometry_; }
    void setGeometry(const Rect& r) override { geometry_ = r; }
    void setTitle(const Text& title) override { title_ = title; }
    void setIcon(const Image& icon) override { icon_ = icon; }
    void show() override;
    void hide() override { visible_ = false; }
    void minimize() override { minimized_ = true; }
    bool isVisible() const override { return visible_; }
    bool isMinimized() const override { return minimized_; }
    bool isActive() const override { return active_; }
    void setTopmost(bool on) override { topmost_ = on; }
    void activate() override { setActive(true); }
    void invalidate(const Rect& r) override;
    void update() override { paint(); }
    void setCapture() override { capture_ = true; }
    void releaseCapture() override { capture_ = false; }
    bool hasCapture() const override { return capture_; }
    void startDragMove() override { ++dragMoves_; }
    Point cursorPos() const override { return cursor_; }
    intptr_t runModal() override;
    void endModal(intptr_t result) override;
    bool inModal() const override { return modal_; }
    std::unique_ptr<EditField> createEditField(const EditFieldOptions& options) override;
    void announce(AccessibleEvent e, int item) override { announcements_.push_back({e, item}); }

    // ---- Test side ----
    void pointer(PointerKind kind, int32_t x, int32_t y, uint32_t flags = 0);
    void moveTo(int32_t x, int32_t y) { pointer(PointerKind::Move, x, y, held_ ? kButtonLeft : 0); }
    void press(int32_t x, int32_t y);
    void release(int32_t x, int32_t y);
    void click(int32_t x, int32_t y) { press(x, y), release(x, y); }
    void leave() { pointer(PointerKind::Leave, cursor_.x, cursor_.y); }
    // Turns the wheel at (x, y): 120 per notch, positive away from the user.
    void wheel(int32_t x, int32_t y, int32_t delta);
    bool key(uint32_t vk, bool down = true);
    // A key event as the desktop would deliver it (physical key, modifiers, text).
    bool key(const KeyEvent& e) { return host().onKey(e); }
    // Activation changes as the desktop would report them.
    void setActive(bool active);
    // Paints the whole window into a fresh recording and forgets the invalid region.
    const RecordingPainter& paint();
    const RecordingPainter& lastPaint() const { return painter_; }

    const std::vector<Rect>& invalidations() const { return invalidations_; }
    void clearInvalidations() { invalidations_.clear(); }
    int dragMoves() const { return dragMoves_; }
    bool topmost() const { return topmost_; }
    const Text& title() const { return title_; }
    WindowKind kind() const { return kind_; }
    struct Announcement {
        AccessibleEvent event;
        int item;
        friend bool operator==(const Announcement&, const Announcement&) = default;
    };
    const std::vector<Announcement>& announcements() const { return announcements_; }
    void clearAnnouncements() { announcements_.clear(); }
    // Runs inside runModal(); what the user does while the dialog is up.
    std::function<void(FakeWindow&)> onModal;

private:
    WindowKind kind_;
    Rect geometry_;
    Text title_;
    Image icon_;
    bool visible_ = false, minimized_ = false, active_ = false, topmost_ = false, capture_ = false;
    bool modal_ = false, held_ = false;
    intptr_t modalResult_ = -1;
    int dragMoves_ = 0;
    Point cursor_{-1, -1};
    std::vector<Rect> invalidations_;
    std::vector<Announcement> announcements_;
    RecordingPainter painter_;
};

}  // namespace orvane::platform
