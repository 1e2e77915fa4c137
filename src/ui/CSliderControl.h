#pragma once
// A horizontal slider of Count evenly spaced steps with a round thumb. The thumb spans a left
// and a right extent around its step's x. A press on the thumb drags it (code 3 on every move,
// wParam = step); a release inside takes the step under the pointer (code 2).
#include <algorithm>
#include <vector>

#include "ui/CControlBase.h"
#include "ui/PointerState.h"

namespace orvane::ui {

class CSliderControl : public CControlBase {
public:
    CSliderControl(CDlgBase* owner, uint32_t id, const Rect& rect, int32_t count, int32_t leftExtent,
                   int32_t rightExtent, Text text = {}, bool visible = true, bool active = true,
                   bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;
    bool OnMouseMove(uint32_t flags, Point pt) override;
    bool OnLButtonDown(uint32_t flags, Point pt) override;
    bool OnLButtonUp(uint32_t flags, Point pt) override;
    void ReleaseImages() override { thumb_ = {}; }
    // Left/Down and Right/Up move one step, Page Down/Up a quarter of the track, Home/End to
    // the ends; each move is reported as a release on the new step (code 2).
    bool OnNavigationKey(uint32_t vk) override;
    bool StepBy(int32_t delta) override;
    bool SetAccessibleValue(int32_t value) override;
    // The larger step of Page Up/Down: a quarter of the steps, at least two.
    int32_t PageStep() const { return std::max<int32_t>(2, count_ / 4); }
    // Owners move sliders with their sections; the steps and the thumb move along.
    using CControlBase::SetRect;
    void SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;

    void LoadThumbImage(const Text& path);
    void SetThumbImage(const Image& image);

    // Places the thumb on a step; an index outside the steps goes to the nearest end.
    void SetPosition(int32_t index);
    // Called by the owner for every pointer movement while the left button is held, wherever
    // the pointer is. Returns false when no drag is going on.
    bool DragTo(Point pt);

    int32_t Position() const { return position_; }
    int32_t Count() const { return count_; }
    bool Dragging() const { return dragging_; }
    int PointerStateValue() const { return pointer_.get(); }
    const std::vector<int32_t>& Steps() const { return steps_; }
    const Rect& ThumbRect() const { return thumbRect_; }
    // Left edge of the thumb as drawn now.
    int32_t ThumbLeft() const;
    // The step whose half-way zone holds x; a point on a midpoint belongs to the upper step.
    int32_t StepAt(int32_t x) const;

protected:
    void DescribeInto(AccessibleNode& n) const override;
    bool TakesFocus() const override { return count_ > 1; }

private:
    void BuildSteps();
    void PlaceThumb();
    // The drag step shared by moves and DragTo.
    void DragStep(int32_t x);

    Image thumb_;
    PointerState pointer_;
    int32_t dragX_ = 0;
    int32_t leftExtent_;
    int32_t rightExtent_;
    int32_t position_ = 0;
    int32_t reported_ = 0;
    int32_t count_;
    int32_t trackLength_;
    std::vector<int32_t> steps_;
    bool dragging_ = false;
    Rect thumbRect_;
};

}  // namespace orvane::ui
