#pragma once
// A vertical scroll bar: an arrow at each end and a thumb on the track between them. A press
// reports where it landed (code 1 with 6 up arrow, 7 down arrow, 0 thumb, 8 above or 9 below
// the thumb); dragging the thumb reports each new Position (code 3); the release reports code 2.
#include "ui/CControlBase.h"
#include "ui/PointerState.h"

namespace orvane::ui {

class CVScrollBar : public CControlBase {
public:
    // Arrow strips the application carries: three frames side by side (normal, over, pressed).
    static constexpr int kUpArrowResource = 188;
    static constexpr int kDownArrowResource = 187;

    // Where a press landed (wParam of code 1).
    static constexpr uintptr_t kHitThumb = 0;
    static constexpr uintptr_t kHitUpArrow = 6;
    static constexpr uintptr_t kHitDownArrow = 7;
    static constexpr uintptr_t kHitAboveThumb = 8;
    static constexpr uintptr_t kHitBelowThumb = 9;

    CVScrollBar(CDlgBase* owner, uint32_t id, const Rect& rect, Text text = {}, bool visible = true,
                bool active = true, bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;
    bool OnMouseMove(uint32_t flags, Point pt) override;
    bool OnLButtonDown(uint32_t flags, Point pt) override;
    bool OnLButtonUp(uint32_t flags, Point pt) override;
    void ReleaseImages() override;
    using CControlBase::SetRect;
    void SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;

    // Loads the two arrow strips and lays out the arrows, the track and the thumb.
    void LoadArrowImages();
    void SetArrowImages(const Image& up, const Image& down);
    void SetScroll(int32_t position, int32_t page, int32_t range);
    // For pointer movements while the thumb is dragged, wherever the pointer is.
    bool DragThumb(Point pt);

    int32_t Position() const { return position_; }
    int32_t Page() const { return page_; }
    int32_t Range() const { return range_; }
    bool Dragging() const { return dragging_; }
    const Rect& ThumbRect() const { return thumb_; }
    const Rect& TrackRect() const { return track_; }
    const Rect& DragRect() const { return drag_; }
    const Rect& UpArrowRect() const { return upRect_; }
    const Rect& DownArrowRect() const { return downRect_; }
    bool UpHover() const { return upHover_; }
    bool ThumbHover() const { return thumbHover_; }
    int PointerStateValue() const { return pointer_.get(); }

private:
    void Layout();
    void PlaceThumb();
    void Drag(int32_t y);

    Image up_;
    Image down_;
    int32_t frameWidth_ = 0;
    int32_t frameHeight_ = 0;
    PointerState pointer_;
    bool upHover_ = false;
    bool downHover_ = false;
    bool thumbHover_ = false;
    Rect thumb_;
    Rect track_;
    Rect upRect_;
    Rect downRect_;
    Rect drag_;
    bool dragging_ = false;
    int32_t grabOffset_ = 0;
    int32_t position_ = 0;
    int32_t page_ = 1;
    int32_t range_ = 1;
};

}  // namespace orvane::ui
