#include "ui/CComboButton.h"

#include <algorithm>

#include "ui/Messages.h"

namespace orvane::ui {

CComboButton::CComboButton(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, uint32_t groupMessage,
                           bool visible, bool active, bool disabled)
    : CButtonBase(owner, id, rect, std::move(text), 5, visible, active, disabled), groupMessage_(groupMessage) {}

std::vector<Image> CComboButton::FramesFromSeparate(std::vector<Image> images) const {
    if (images.size() != 2) return images;
    // Frames: normal, over, pressed, disabled look, disabled look with the pointer over it.
    return {images[0], images[1], images[1], images[0], images[1]};
}

bool CComboButton::OnMouseMove(uint32_t, Point pt) {
    if (disabled_ || state_ == kPressed) return false;
    const int before = state_;
    if (rect_.contains(pt)) {
        state_ = kOver;
        // The owner hears of the pointer a few times while it settles, then no more until it
        // has left.
        if (!hoverLatched_) {
            if (hoverCount_ < kHoverReports - 1)
                ++hoverCount_;
            else
                hoverLatched_ = true;
            SendToOwner(groupMessage_, id_, kCodeEntered);
        }
    } else {
        state_ = kNormal;
        if ((hoverCount_ > 0 || hoverLatched_) && !menuOpen_) {
            hoverCount_ = 0;
            hoverLatched_ = false;
            SendToOwner(groupMessage_, id_, kCodeLeft);
        }
    }
    return state_ != before;
}

bool CComboButton::OnLButtonDown(uint32_t, Point pt) {
    if (disabled_ || !rect_.contains(pt)) return false;
    state_ = kPressed;
    if (!disableLook_) Notify(kCodePressed);
    return true;
}

bool CComboButton::OnLButtonUp(uint32_t, Point pt) {
    if (disabled_) return false;
    const int before = state_;
    if (rect_.contains(pt)) {
        state_ = kOver;
        if (!disableLook_) SendToOwner(groupMessage_, id_, kCodeClicked);
        return true;
    }
    state_ = kNormal;
    return state_ != before;
}

bool CComboButton::Activate() {
    if (disabled_ || disableLook_) return false;
    SendToOwner(groupMessage_, id_, kCodeClicked);
    return true;
}

void CComboButton::DescribeInto(AccessibleNode& n) const {
    n.role = AccessibleRole::ComboBox;
    n.value = disableText_ ? Text{u"Disable"} : text_;
    // The owner names the row; the caption is the value (and the name only when given as one).
    if (accessibleName_.empty()) n.name.clear();
    n.state |= platform::kAccessibleHasPopup;
    if (disableLook_) n.state |= platform::kAccessibleDisabled;
    else n.defaultAction = platform::AccessibleAction::Press;
}

int32_t CComboButton::ArrowWidth() const { return std::min(rect_.height() + Scaled(2), Scaled(kArrowMax)); }

int CComboButton::Frame() const {
    if (disableLook_) return state_ != kNormal ? 4 : 3;
    return menuOpen_ ? 1 : state_;
}

void CComboButton::Draw(Painter& p, const Rect&) {
    const int frame = Frame();
    images_.draw(p, rect_, frame);
    const uint32_t colour = (disableLook_ || frame != 0) ? kTextOver : kTextNormal;
    DrawCaption(p, disableText_ ? Text{u"Disable"} : text_, colour, ArrowWidth());
}

}  // namespace orvane::ui
