#include "ui/CTabControl.h"
#include "ui/Messages.h"

namespace orvane::ui {

CTabControl::CTabControl(CDlgBase* owner, uint32_t id, const Rect& rect, Text caption, int32_t& currentProfile,
                         bool visible, bool active, bool disabled)
    : CControlBase(owner, id, rect, std::move(caption), visible, active, disabled, true),
      currentProfile_(currentProfile) {}

int32_t CTabControl::Profile() const {
    return id_ >= kFirstTab && id_ < kFirstTab + kTabCount ? int32_t(id_ - kFirstTab) : -1;
}

bool CTabControl::Selected() const { return Profile() >= 0 && currentProfile_ == Profile(); }

int CTabControl::LookNow() const {
    if (Selected()) return pointer_ == PointerState::kOver ? kLookSelectedOver : kLookSelected;
    return pointer_.get();
}

void CTabControl::LoadImages(const Text& normal, const Text& over, const Text& selected, const Text& selectedOver) {
    SetImages(LoadImage(normal), LoadImage(over), LoadImage(selected), LoadImage(selectedOver));
}

void CTabControl::SetImages(const Image& normal, const Image& over, const Image& selected, const Image& selectedOver) {
    images_ = {normal, over, selected, selectedOver};
    for (const auto& img : images_) {
        if (img.isNull()) continue;
        imageWidth_ = img.width();
        imageHeight_ = img.height();
    }
}

void CTabControl::ReleaseImages() { images_ = {}; }

void CTabControl::SetTextMargins(int32_t left, int32_t right) {
    marginLeft_ = left;
    marginRight_ = right;
}

void CTabControl::Draw(Painter& p, const Rect&) {
    const Image& img = images_[size_t(LookNow())];
    if (!img.isNull()) p.drawImage(img, rect_, platform::Interpolation::Smooth);
    if (text_.empty()) return;
    p.drawText(text_, rect_.adjusted(marginLeft_, 0, -marginRight_, 0), font_, bgr(kCaptionColour),
               format_ | platform::kTextSingleLine | platform::kTextVCenter | platform::kTextWordEllipsis);
}

bool CTabControl::OnMouseMove(uint32_t, Point pt) { return !disabled_ && pointer_.move(rect_, pt); }

bool CTabControl::OnLButtonDown(uint32_t, Point pt) {
    if (disabled_ || !rect_.contains(pt)) return false;
    pointer_.press();
    Notify(kCodePressed);
    return true;
}

bool CTabControl::OnLButtonUp(uint32_t, Point pt) {
    if (disabled_) return false;
    const bool changed = pointer_.release(rect_, pt);
    if (!rect_.contains(pt)) return changed;
    if (Profile() >= 0) currentProfile_ = Profile();
    Notify(kCodeClicked);
    return true;
}

bool CTabControl::Activate() {
    if (disabled_) return false;
    Notify(kCodePressed);
    if (Profile() >= 0) currentProfile_ = Profile();
    Notify(kCodeClicked);
    return true;
}

bool CTabControl::OnNavigationKey(uint32_t vk) {
    constexpr uint32_t kVkApps = 0x5D, kVkF10 = 0x79;
    if (vk != kVkApps && vk != kVkF10) return false;
    Notify(kCodeRightReleased, id_);
    return true;
}

void CTabControl::DescribeInto(AccessibleNode& n) const {
    n.role = AccessibleRole::PageTab;
    n.defaultAction = platform::AccessibleAction::Press;
    n.state |= platform::kAccessibleHasPopup;
    if (Selected()) n.state |= platform::kAccessibleSelected;
}

bool CTabControl::OnRButtonUp(uint32_t, Point pt) {
    if (disabled_ || !rect_.contains(pt)) return false;
    Notify(kCodeRightReleased, id_);
    return false;
}

}  // namespace orvane::ui
