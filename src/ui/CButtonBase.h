#pragma once
// What the clickable controls share: the pointer state machine (normal, over, pressed), the
// press and click notifications, the state pictures and the caption.
#include <cstdint>

#include "ui/CControlBase.h"
#include "ui/StateImages.h"

namespace orvane::ui {

class CButtonBase : public CControlBase {
public:
    enum State { kNormal = 0, kOver = 1, kPressed = 2 };

    // Caption colours of the skin.
    static constexpr uint32_t kTextNormal = 0xB4B4B4;
    static constexpr uint32_t kTextOver = 0xFFFFFF;
    static constexpr uint32_t kTextChecked = 0x00FFFF;

    CButtonBase(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, int frameCount, bool visible = true,
                bool active = true, bool disabled = false);

    bool OnMouseMove(uint32_t flags, Point pt) override;
    bool OnLButtonDown(uint32_t flags, Point pt) override;
    bool OnLButtonUp(uint32_t flags, Point pt) override;
    void ReleaseImages() override { images_.release(); }
    // A press and a click, as the pointer makes them.
    bool Activate() override;

    // A strip of the class's frame count, from a skin file or from a picture the application
    // carries.
    void LoadStrip(const Text& path);
    void LoadResourceStrip(int resourceId);
    // One picture per look, in the class's order (see each class).
    void LoadImages(std::initializer_list<Text> paths);
    void SetImages(StateImages images) { images_ = std::move(images); }
    const StateImages& Images() const { return images_; }

    // Caption placement: margins in device pixels and a horizontal alignment (kTextLeft,
    // kTextCenter or kTextRight).
    void SetTextMargins(int32_t left, int32_t right);
    void SetTextAlign(TextFormat align) { align_ = align; }

    int PointerState() const { return state_; }

protected:
    // A push button; a button that does nothing (a panel title) reads as a label.
    void DescribeInto(AccessibleNode& n) const override;
    bool TakesFocus() const override { return mouseAware_; }
    // The class's own action on a click, before the owner hears of it.
    virtual void OnClick() {}
    // wParam of the click notification.
    virtual uintptr_t ClickParam() const { return 0; }
    // Draws text in the rectangle shrunk by the margins, one line, vertically centred; at least
    // reservedRight pixels at the right end stay clear (a picture of the look is there).
    void DrawCaption(Painter& p, const Text& text, uint32_t colour, int32_t reservedRight = 0) const;
    // Maps the pictures given to LoadImages onto the frames; by default picture k is frame k.
    virtual std::vector<Image> FramesFromSeparate(std::vector<Image> images) const { return images; }

    int state_ = kNormal;
    StateImages images_;
    int32_t marginLeft_ = 0;
    int32_t marginRight_ = 0;
    TextFormat align_ = platform::kTextCenter;
};

}  // namespace orvane::ui
