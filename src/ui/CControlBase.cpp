#include "ui/CControlBase.h"

#include "ui/CDlgBase.h"
#include "ui/UiFont.h"

namespace orvane::ui {

CControlBase::CControlBase(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, bool visible, bool active,
                           bool disabled, bool mouseAware)
    : owner_(owner),
      id_(id),
      rect_(rect),
      visible_(visible),
      active_(active),
      disabled_(disabled),
      mouseAware_(mouseAware),
      text_(std::move(text)),
      font_{UiFontChoice().face, UiFontChoice().height, 0} {}

CControlBase::~CControlBase() = default;

int CControlBase::KillFocus(int) { return 0; }

void CControlBase::SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    rect_ = {left, top, right, bottom};
}

void CControlBase::SetText(const Text& text) {
    if (text == text_) return;
    text_ = text;
    Invalidate();
}

bool CControlBase::OnMouseMove(uint32_t, Point) { return false; }
bool CControlBase::OnLButtonDown(uint32_t, Point) { return false; }
bool CControlBase::OnLButtonUp(uint32_t, Point) { return false; }
bool CControlBase::OnRButtonUp(uint32_t, Point) { return false; }
bool CControlBase::OnLButtonDblClk(uint32_t, Point) { return false; }

AccessibleNode CControlBase::Describe() const {
    AccessibleNode n;
    n.name = accessibleName_.empty() ? text_ : accessibleName_;
    n.value = valueText_;
    n.rect = rect_;
    if (disabled_) n.state |= platform::kAccessibleDisabled;
    if (Focusable()) n.state |= platform::kAccessibleFocusable;
    if (owner_ && owner_->FocusedControl() == this) n.state |= platform::kAccessibleFocused;
    DescribeInto(n);
    return n;
}

void CControlBase::DescribeInto(AccessibleNode& n) const {
    // A picture says something only when it was given a name.
    n.role = n.name.empty() ? AccessibleRole::None : AccessibleRole::Graphic;
}

void CControlBase::SetFont(int32_t height, const Text& face) { font_ = FontSpec{face, height, 0}; }

intptr_t CControlBase::Notify(intptr_t code, uintptr_t wParam) { return SendToOwner(id_, wParam, code); }

intptr_t CControlBase::SendToOwner(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    return owner_ ? owner_->SendMessage(msg, wParam, lParam) : 0;
}

void CControlBase::Invalidate() {
    if (owner_) owner_->InvalidateRect(rect_);
}

Image CControlBase::LoadImage(const Text& path) const { return owner_ ? owner_->Images().load(path) : Image{}; }

float CControlBase::Scale() const { return owner_ ? owner_->Scale() : 1.0f; }

}  // namespace orvane::ui
