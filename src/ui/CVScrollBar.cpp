#include "ui/CVScrollBar.h"
#include "ui/Messages.h"

#include <algorithm>
#include <cmath>

#include "ui/CDlgBase.h"
#include "ui/Resources.h"

namespace orvane::ui {

namespace {
constexpr uint32_t kBackground = 0x101010;
constexpr uint32_t kThumbOuter = 0x1F1F1F;
constexpr uint32_t kThumbInner = 0x323232;
constexpr uint32_t kThumbHotOuter = 0xDEA035;
constexpr uint32_t kThumbHotInner = 0x1F1F1F;
}  // namespace

CVScrollBar::CVScrollBar(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, bool visible, bool active,
                         bool disabled)
    : CControlBase(owner, id, rect, std::move(text), visible, active, disabled, true) {
    Layout();
}

void CVScrollBar::LoadArrowImages() {
    Image up, down;
    if (owner_) {
        up = LoadResourceImage(owner_->Images(), kUpArrowResource);
        down = LoadResourceImage(owner_->Images(), kDownArrowResource);
    }
    SetArrowImages(up, down);
}

void CVScrollBar::SetArrowImages(const Image& up, const Image& down) {
    up_ = up;
    down_ = down;
    // Sizes come from the strip loaded last that did load.
    for (const Image* img : {&up_, &down_}) {
        if (img->isNull()) continue;
        frameWidth_ = img->width() / 3;
        frameHeight_ = img->height();
    }
    Layout();
}

void CVScrollBar::ReleaseImages() {
    up_ = {};
    down_ = {};
}

void CVScrollBar::Layout() {
    // The arrows' hit areas cover the arrows as drawn, at every display scale.
    const int32_t h = Scaled(frameHeight_);
    upRect_ = {rect_.left, rect_.top, rect_.right, rect_.top + h - 1};
    downRect_ = {rect_.left, rect_.bottom - h + 1, rect_.right, rect_.bottom};
    track_ = {rect_.left, rect_.top + h, rect_.right, rect_.bottom - h};
    thumb_ = track_;
}

void CVScrollBar::SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const int32_t dy = top - rect_.top;
    CControlBase::SetRect(left, top, right, bottom);
    Layout();
    PlaceThumb();
    drag_ = {rect_.left, drag_.top + dy, rect_.right, drag_.bottom + dy};
}

void CVScrollBar::SetScroll(int32_t position, int32_t page, int32_t range) {
    if (range == 0) {
        thumb_ = track_;
        Invalidate();
        return;
    }
    position_ = position;
    page_ = page;
    range_ = range;
    PlaceThumb();
    Invalidate();
}

void CVScrollBar::PlaceThumb() {
    const double l = double(track_.bottom - track_.top + 1);
    const int32_t top = track_.top + int32_t(std::trunc(double(position_) / range_ * l + 0.5));
    const int32_t height = std::min(int32_t(l), int32_t(std::trunc(double(page_) / range_ * l + 0.5))) - 1;
    thumb_ = {rect_.left, top, rect_.right, std::min(track_.bottom, top + height)};
}

void CVScrollBar::Drag(int32_t y) {
    y = std::clamp(y, rect_.top, rect_.bottom);
    const int32_t p = drag_.top + grabOffset_;
    bool moved = false;
    if (y > p && drag_.bottom < track_.bottom) {
        const int32_t dy = std::min(y - p, track_.bottom - drag_.bottom);
        drag_ = drag_.translated(0, dy);
        moved = true;
    } else if (y < p && drag_.top > track_.top) {
        const int32_t dy = std::min(p - y, drag_.top - track_.top);
        drag_ = drag_.translated(0, -dy);
        moved = true;
    }
    if (!moved) return;
    Invalidate();
    const double span = double(track_.bottom - track_.top + 1);
    const int32_t pos = int32_t(std::trunc(double(drag_.top - track_.top) * range_ / span));
    if (pos != position_) {
        position_ = pos;
        Notify(kCodeDragging, uintptr_t(position_));
    }
}

bool CVScrollBar::OnMouseMove(uint32_t, Point pt) {
    if (disabled_) return false;
    if (dragging_) {
        Drag(pt.y);
        return true;
    }
    if (pointer_ == PointerState::kPressed) return false;
    const bool before[] = {upHover_, downHover_, thumbHover_};
    const bool changed = pointer_.move(rect_, pt);
    const bool inside = pointer_ == PointerState::kOver;
    upHover_ = inside && upRect_.contains(pt);
    downHover_ = inside && downRect_.contains(pt);
    thumbHover_ = inside && thumb_.contains(pt);
    if (!inside) dragging_ = false;
    return changed || before[0] != upHover_ || before[1] != downHover_ || before[2] != thumbHover_;
}

bool CVScrollBar::DragThumb(Point pt) {
    if (disabled_ || !dragging_) return false;
    Drag(pt.y);
    return true;
}

bool CVScrollBar::OnLButtonDown(uint32_t, Point pt) {
    if (disabled_ || !rect_.contains(pt)) return false;
    pointer_.press();
    uintptr_t hit;
    if (upRect_.contains(pt)) {
        hit = kHitUpArrow;
    } else if (downRect_.contains(pt)) {
        hit = kHitDownArrow;
    } else if (thumb_.contains(pt)) {
        hit = kHitThumb;
        dragging_ = true;
        grabOffset_ = pt.y - thumb_.top;
        drag_ = thumb_;
    } else {
        hit = pt.y < thumb_.top ? kHitAboveThumb : kHitBelowThumb;
    }
    Notify(kCodePressed, hit);
    return true;
}

bool CVScrollBar::OnLButtonUp(uint32_t, Point pt) {
    if (disabled_) return false;
    const bool wasDragging = dragging_;
    dragging_ = false;
    if (rect_.contains(pt)) {
        pointer_.set(PointerState::kOver);
        Notify(kCodeClicked);
    } else {
        pointer_.set(PointerState::kNormal);
        if (wasDragging) {
            thumbHover_ = false;
            Notify(kCodeClicked);
        }
    }
    SetScroll(position_, page_, range_);
    return true;
}

void CVScrollBar::Draw(Painter& p, const Rect&) {
    const int32_t s = Scaled(1);
    p.fillRect(rect_, bgr(kBackground));
    const int32_t w = Scaled(frameWidth_);
    const int32_t h = Scaled(frameHeight_);
    auto arrow = [&](const Image& img, int32_t top, bool hover) {
        if (img.isNull() || frameWidth_ <= 0) return;
        const int32_t frame = hover ? 1 : 0;
        p.drawImage(img, Rect::fromSize(rect_.left, top, w, h),
                    Rect{frame * frameWidth_, 0, (frame + 1) * frameWidth_, frameHeight_},
                    platform::Interpolation::Smooth);
    };
    arrow(up_, rect_.top, upHover_);
    arrow(down_, rect_.bottom - (frameHeight_ - 1) * s, downHover_);
    const Rect& t = dragging_ ? drag_ : thumb_;
    p.fillRect({t.left, t.top, t.right, t.bottom + s}, bgr(thumbHover_ ? kThumbHotOuter : kThumbOuter));
    p.fillRect({t.left + s, t.top + s, t.right - s, t.bottom}, bgr(thumbHover_ ? kThumbHotInner : kThumbInner));
}

}  // namespace orvane::ui
