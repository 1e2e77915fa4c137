#include "ui/CSliderControl.h"
#include "ui/Messages.h"

#include <algorithm>
#include <string>

#include "platform/Input.h"

namespace orvane::ui {

CSliderControl::CSliderControl(CDlgBase* owner, uint32_t id, const Rect& rect, int32_t count, int32_t leftExtent,
                               int32_t rightExtent, Text text, bool visible, bool active, bool disabled)
    : CControlBase(owner, id, rect, std::move(text), visible, active, disabled, true),
      leftExtent_(leftExtent),
      rightExtent_(rightExtent),
      count_(count) {
    BuildSteps();
    PlaceThumb();
}

void CSliderControl::BuildSteps() {
    trackLength_ = rect_.width() - leftExtent_ - rightExtent_;
    steps_.assign(size_t(std::max(count_, 0)), 0);
    if (count_ < 1) return;
    for (int32_t i = 1; i < count_ - 1; ++i) steps_[size_t(i)] = i * trackLength_ / (count_ - 1) + rect_.left + leftExtent_;
    steps_.front() = rect_.left + leftExtent_;
    steps_.back() = rect_.right - rightExtent_;
}

void CSliderControl::SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const int32_t dx = left - rect_.left;
    CControlBase::SetRect(left, top, right, bottom);
    BuildSteps();
    PlaceThumb();
    dragX_ += dx;
}

void CSliderControl::LoadThumbImage(const Text& path) { thumb_ = LoadImage(path); }

void CSliderControl::SetThumbImage(const Image& image) { thumb_ = image; }

int32_t CSliderControl::StepAt(int32_t x) const {
    if (count_ < 1) return 0;
    for (int32_t i = 0; i + 1 < count_; ++i)
        if (x < (steps_[size_t(i)] + steps_[size_t(i) + 1]) / 2) return i;
    return count_ - 1;
}

void CSliderControl::PlaceThumb() {
    if (steps_.empty()) {
        thumbRect_ = {};
        return;
    }
    const int32_t x = steps_[size_t(position_)];
    thumbRect_ = {x - leftExtent_, rect_.top, x + rightExtent_, rect_.bottom};
}

void CSliderControl::SetPosition(int32_t index) {
    position_ = count_ > 0 ? std::clamp(index, 0, count_ - 1) : 0;
    reported_ = position_;
    PlaceThumb();
}

void CSliderControl::DragStep(int32_t x) {
    x = std::clamp(x, rect_.left, rect_.right);
    dragX_ = x - leftExtent_;
    position_ = reported_ = StepAt(x);
    PlaceThumb();
    Invalidate();
    Notify(kCodeDragging, uintptr_t(position_));
}

bool CSliderControl::OnMouseMove(uint32_t, Point pt) {
    if (disabled_) return false;
    const bool changed = pointer_.move(rect_, pt);
    if (pointer_ == PointerState::kNormal) dragging_ = false;
    if (dragging_ && (pointer_ == PointerState::kOver || pointer_ == PointerState::kPressed)) DragStep(pt.x);
    return changed;
}

bool CSliderControl::DragTo(Point pt) {
    if (disabled_ || !dragging_) return false;
    if (pointer_ != PointerState::kOver && pointer_ != PointerState::kPressed) return true;
    DragStep(pt.x);
    return true;
}

bool CSliderControl::OnLButtonDown(uint32_t, Point pt) {
    if (disabled_ || !rect_.contains(pt)) return false;
    pointer_.press();
    dragging_ = thumbRect_.contains(pt);
    dragX_ = pt.x - leftExtent_;
    Notify(kCodePressed);
    return true;
}

bool CSliderControl::OnLButtonUp(uint32_t, Point pt) {
    if (disabled_) return false;
    dragging_ = false;
    if (rect_.contains(pt)) {
        pointer_.set(PointerState::kOver);
        SetPosition(StepAt(pt.x));
        Notify(kCodeClicked);
        return true;
    }
    // Released elsewhere: the step the drag reached stands, and the owner hears nothing.
    pointer_.set(PointerState::kNormal);
    return true;
}

bool CSliderControl::SetAccessibleValue(int32_t value) {
    if (disabled_ || count_ < 1) return false;
    SetPosition(value);
    Invalidate();
    Notify(kCodeClicked);
    return true;
}

bool CSliderControl::StepBy(int32_t delta) { return SetAccessibleValue(position_ + delta); }

bool CSliderControl::OnNavigationKey(uint32_t vk) {
    switch (vk) {
        case platform::kVkLeft:
        case platform::kVkDown: return StepBy(-1);
        case platform::kVkRight:
        case platform::kVkUp: return StepBy(1);
        case platform::kVkPageDown: return StepBy(-PageStep());
        case platform::kVkPageUp: return StepBy(PageStep());
        case platform::kVkHome: return SetAccessibleValue(0);
        case platform::kVkEnd: return SetAccessibleValue(count_ - 1);
        default: return false;
    }
}

void CSliderControl::DescribeInto(AccessibleNode& n) const {
    n.role = AccessibleRole::Slider;
    n.hasRange = true;
    n.minimum = 0;
    n.maximum = std::max(0, count_ - 1);
    n.current = position_;
    if (n.value.empty()) n.value = fromUtf8(std::to_string(position_ + 1));
}

int32_t CSliderControl::ThumbLeft() const {
    if (dragging_) {
        const int32_t maxLeft = rect_.right - Scaled(thumb_.width());
        return std::max(rect_.left, std::min(dragX_, maxLeft));
    }
    return steps_.empty() ? rect_.left : steps_[size_t(position_)] - leftExtent_;
}

void CSliderControl::Draw(Painter& p, const Rect&) {
    if (thumb_.isNull() || steps_.empty()) return;
    const int32_t left = ThumbLeft();
    p.drawImage(thumb_, Rect::fromSize(left, rect_.top, Scaled(thumb_.width()), Scaled(thumb_.height())),
                platform::Interpolation::Smooth);
}

}  // namespace orvane::ui

