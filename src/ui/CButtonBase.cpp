#include "ui/CButtonBase.h"

#include <algorithm>
#include "ui/Messages.h"

#include "ui/CDlgBase.h"
#include "ui/Resources.h"

namespace orvane::ui {

CButtonBase::CButtonBase(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, int frameCount, bool visible,
                         bool active, bool disabled)
    : CControlBase(owner, id, rect, std::move(text), visible, active, disabled, true), images_(frameCount) {}

bool CButtonBase::OnMouseMove(uint32_t, Point pt) {
    if (disabled_ || state_ == kPressed) return false;
    const int before = state_;
    state_ = rect_.contains(pt) ? kOver : kNormal;
    return state_ != before;
}

bool CButtonBase::OnLButtonDown(uint32_t, Point pt) {
    if (disabled_ || !rect_.contains(pt)) return false;
    state_ = kPressed;
    Notify(kCodePressed);
    return true;
}

bool CButtonBase::OnLButtonUp(uint32_t, Point pt) {
    if (disabled_) return false;
    const int before = state_;
    if (rect_.contains(pt)) {
        state_ = kOver;
        OnClick();
        Notify(kCodeClicked, ClickParam());
        return true;
    }
    state_ = kNormal;
    return state_ != before;
}

bool CButtonBase::Activate() {
    if (disabled_ || !mouseAware_) return false;
    Notify(kCodePressed);
    OnClick();
    Notify(kCodeClicked, ClickParam());
    return true;
}

void CButtonBase::DescribeInto(AccessibleNode& n) const {
    n.role = mouseAware_ ? AccessibleRole::PushButton : AccessibleRole::Label;
    if (mouseAware_) n.defaultAction = platform::AccessibleAction::Press;
}

void CButtonBase::LoadStrip(const Text& path) { images_.setStrip(LoadImage(path)); }

void CButtonBase::LoadResourceStrip(int resourceId) {
    if (owner_) images_.setStrip(LoadResourceImage(owner_->Images(), resourceId));
}

void CButtonBase::LoadImages(std::initializer_list<Text> paths) {
    std::vector<Image> loaded;
    for (const auto& path : paths) loaded.push_back(LoadImage(path));
    images_.setSeparate(FramesFromSeparate(std::move(loaded)));
}

void CButtonBase::SetTextMargins(int32_t left, int32_t right) {
    marginLeft_ = left;
    marginRight_ = right;
}

void CButtonBase::DrawCaption(Painter& p, const Text& text, uint32_t colour, int32_t reservedRight) const {
    if (text.empty()) return;
    const Rect r = rect_.adjusted(marginLeft_, 0, -std::max(marginRight_, reservedRight), 0);
    p.drawText(text, r, font_, bgr(colour),
               align_ | platform::kTextSingleLine | platform::kTextVCenter | platform::kTextWordEllipsis);
}

}  // namespace orvane::ui
