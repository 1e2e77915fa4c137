#pragma once
// A profile tab (Ids 2049 to 2053 for profiles 0 to 4). It is drawn selected while its profile
// is the current one; a click makes it current before the owner hears (code 2), a right click
// asks for the profile's menu (code 11, wParam = Id).
#include <array>

#include "ui/CControlBase.h"
#include "ui/PointerState.h"

namespace orvane::ui {

class CTabControl : public CControlBase {
public:
    static constexpr uint32_t kFirstTab = 2049;
    static constexpr uint32_t kTabCount = 5;
    static constexpr uint32_t kCaptionColour = 0xB4B4B4;
    enum Look { kLookNormal = 0, kLookOver = 1, kLookSelected = 2, kLookSelectedOver = 3 };

    // currentProfile: the application's current profile index, read to draw and written on a
    // click.
    CTabControl(CDlgBase* owner, uint32_t id, const Rect& rect, Text caption, int32_t& currentProfile,
                bool visible = true, bool active = true, bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;
    bool OnMouseMove(uint32_t flags, Point pt) override;
    bool OnLButtonDown(uint32_t flags, Point pt) override;
    bool OnLButtonUp(uint32_t flags, Point pt) override;
    bool OnRButtonUp(uint32_t flags, Point pt) override;
    void ReleaseImages() override;
    // Makes the profile current, as a click does.
    bool Activate() override;
    // The menu key (or Shift+F10's F10) asks for the profile's menu, as a right click does.
    bool OnNavigationKey(uint32_t vk) override;

    void LoadImages(const Text& normal, const Text& over, const Text& selected, const Text& selectedOver);
    void SetImages(const Image& normal, const Image& over, const Image& selected, const Image& selectedOver);
    void SetTextMargins(int32_t left, int32_t right);

    bool Selected() const;
    int LookNow() const;
    int PointerStateValue() const { return pointer_.get(); }

protected:
    void DescribeInto(AccessibleNode& n) const override;
    bool TakesFocus() const override { return true; }

private:
    // The profile this tab stands for, or -1 for an Id outside the tabs.
    int32_t Profile() const;

    int32_t& currentProfile_;
    std::array<Image, 4> images_;
    int32_t imageWidth_ = 0;
    int32_t imageHeight_ = 0;
    TextFormat format_ = platform::kTextLeft;
    int32_t marginLeft_ = 0;
    int32_t marginRight_ = 0;
    PointerState pointer_;
};

}  // namespace orvane::ui
