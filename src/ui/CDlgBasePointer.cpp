// CDlgBase: routing of pointer input to the controls, and the popups the dialog owns.
#include "ui/CDlgBase.h"
#include "ui/CWndPopup.h"

namespace orvane::ui {

namespace {
constexpr int kHoverTimeMs = 1;
constexpr Rect kNoRect{-1, -1, -1, -1};
}  // namespace

void CDlgBase::onPointer(const platform::PointerEvent& e) {
    using platform::PointerKind;
    switch (e.kind) {
        case PointerKind::Move: OnMouseMove(e.flags, e.pos); break;
        case PointerKind::LeftDown:
            // The pointer takes over: the keyboard's mark goes until a key brings it back.
            SetFocusedControl(nullptr);
            OnLButtonDown(e.flags, e.pos);
            break;
        case PointerKind::LeftUp: OnLButtonUp(e.flags, e.pos); break;
        case PointerKind::LeftDoubleClick: OnLButtonDblClk(e.flags, e.pos); break;
        case PointerKind::RightDown: break;
        case PointerKind::RightUp: OnRButtonUp(e.flags, e.pos); break;
        case PointerKind::Leave: OnMouseLeave(); break;
        case PointerKind::Hover: OnMouseHover(e.flags, e.pos); break;
        case PointerKind::Wheel: OnMouseWheel(e.flags, e.wheelDelta, e.pos); break;
    }
}

void CDlgBase::OnMouseMove(uint32_t flags, Point pt) {
    if (dragArmed_) {
        // The system move starts with the first motion of the held button: one started on the
        // press itself can outlive a quick click and leave the window stuck to the pointer.
        if (!(flags & platform::kButtonLeft)) {
            dragArmed_ = false;
        } else if (pt != dragFrom_) {
            dragArmed_ = false;
            if (window_) window_->startDragMove();
            return;
        }
    }
    if (!tracking_ && window_) tracking_ = window_->trackPointer(kHoverTimeMs);
    // A control hidden while under the pointer no longer takes it: what now shows there does.
    if (hot_ && hot_->Shown() && hot_->GetRect().contains(pt) && tracking_) {
        lastPoint_ = pt;
        if (hot_->OnMouseMove(flags, pt)) InvalidateRect(hot_->GetRect());
        return;
    }
    if (buttonDown_) return;
    lastPoint_ = pt;
    CControlBase* previous = hot_;
    CControlBase* found = nullptr;
    if (tracking_) {
        for (auto& list : lists_)
            for (auto& c : list) {
                if (!c || !c->Shown() || !c->MouseAware()) continue;
                c->OnMouseMove(flags, pt);
                if (c->GetRect().contains(pt)) found = c.get();  // the last one visited wins
            }
    }
    if (previous) InvalidateRect(previous->GetRect());
    hot_ = found;
    if (found) InvalidateRect(found->GetRect());
}

void CDlgBase::OnMouseLeave() {
    tracking_ = false;
    if (buttonDown_ || !hot_) return;
    CControlBase* c = hot_;
    c->OnMouseMove(0, Point{-1, -1});
    InvalidateRect(c->GetRect());
    hot_ = nullptr;
}

void CDlgBase::OnMouseHover(uint32_t, Point pt) {
    if (hot_ && hot_->GetRect().contains(pt)) {
        lastPoint_ = pt;
        InvalidateRect(hot_->GetRect());
    }
}

void CDlgBase::KillFocusOfPressed() {
    if (pressed_ && pressed_ != hot_) {
        CControlBase* c = pressed_;
        pressed_ = nullptr;
        c->KillFocus(0);
    }
}

void CDlgBase::OnLButtonDown(uint32_t flags, Point pt) {
    KillFocusOfPressed();
    if (hot_ && !hot_->Shown()) OnMouseMove(flags, pt);
    if (hot_ && hot_->GetRect().contains(pt)) {
        CControlBase* c = hot_;
        buttonDown_ = true;
        pressed_ = c;
        pressedRect_ = c->GetRect();
        if (c->OnLButtonDown(flags, pt)) InvalidateRect(c->GetRect());
        if (!captured_ && window_) {
            window_->setCapture();
            captured_ = true;
        }
        return;
    }
    pressedRect_ = kNoRect;
    // The background is the window's caption: any point not covered by a control drags it,
    // once the pointer moves with the button held.
    dragArmed_ = true;
    dragFrom_ = pt;
}

void CDlgBase::OnLButtonUp(uint32_t flags, Point pt) {
    dragArmed_ = false;
    if (window_) window_->releaseCapture();
    captured_ = false;
    buttonDown_ = false;
    CControlBase* c = hot_;
    if (c && c->OnLButtonUp(flags, pt)) {
        if (RepaintsWholeWindow(c->Id()))
            Invalidate();
        else
            InvalidateRect(c->GetRect());
    }
    if (pressedRect_.contains(pt) || (c && c->GetRect().contains(pt))) return;
    lastPoint_ = {-1, -1};
    hot_ = nullptr;
}

void CDlgBase::OnLButtonDblClk(uint32_t flags, Point pt) {
    if (!hot_) return;
    // Hidden controls are skipped: a double click must land on something the user can see.
    for (auto& list : lists_)
        for (auto& c : list) {
            if (!c || !c->Shown() || !c->GetRect().contains(pt)) continue;
            pressedRect_ = c->GetRect();
            if (c->OnLButtonDblClk(flags, pt)) InvalidateRect(c->GetRect());
            return;
        }
}

void CDlgBase::OnRButtonUp(uint32_t flags, Point pt) {
    if (!hot_) return;
    for (auto& list : lists_)
        for (auto& c : list) {
            if (!c || !c->Shown() || !c->GetRect().contains(pt)) continue;
            CControlBase* h = hot_;
            if (h->OnRButtonUp(flags, pt)) InvalidateRect(h->GetRect());
            return;
        }
}

// ---- Popups ----

CWndPopup* CDlgBase::AdoptPopup(std::unique_ptr<CWndPopup> popup) {
    if (!popup) return nullptr;
    popups_.push_back(std::move(popup));
    return popups_.back().get();
}

void CDlgBase::ClosePopup(int slot) {
    KillFocusOfPressed();
    CWndPopup*& p = popupSlots_.at(size_t(slot));
    if (p && p->IsWindow()) p->PostClose();
    p = nullptr;
}

void CDlgBase::CloseMacroSetPopup(size_t set) {
    KillFocusOfPressed();
    if (set >= macroSetPopups_.size()) return;
    CWndPopup*& p = macroSetPopups_[set];
    if (p && p->IsWindow()) p->PostClose();
    p = nullptr;
}

void CDlgBase::CloseAllPopups() {
    for (int slot = 0; slot < kPopupSlots; ++slot) ClosePopup(slot);
    for (size_t set = 0; set < macroSetPopups_.size(); ++set) CloseMacroSetPopup(set);
}

void CDlgBase::PopupDestroyed(CWndPopup* popup) {
    for (auto& p : popupSlots_)
        if (p == popup) p = nullptr;
    for (auto& p : macroSetPopups_)
        if (p == popup) p = nullptr;
    if (sweepPosted_) return;
    sweepPosted_ = true;
    // The popup may be deep in its own handler; free it after that returns.
    std::weak_ptr<bool> alive = alive_;
    platform_.loop().post([this, alive] {
        auto a = alive.lock();
        if (a && *a) SweepClosedPopups();
    });
}

void CDlgBase::SweepClosedPopups() {
    sweepPosted_ = false;
    std::erase_if(popups_, [](const std::unique_ptr<CWndPopup>& p) { return !p->IsWindow(); });
}

}  // namespace orvane::ui
