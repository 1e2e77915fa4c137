#include "ui/CImageButton.h"

namespace orvane::ui {

CImageButton::CImageButton(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, bool visible, bool active,
                           bool disabled)
    : CButtonBase(owner, id, rect, std::move(text), 3, visible, active, disabled) {}

std::vector<Image> CImageButton::FramesFromSeparate(std::vector<Image> images) const {
    if (images.size() == 2) images.push_back(images[1]);
    return images;
}

void CImageButton::Draw(Painter& p, const Rect&) {
    images_.draw(p, rect_, state_);
    static constexpr uint32_t kColours[] = {kTextNormal, kTextOver, kTextChecked};
    DrawCaption(p, text_, kColours[state_]);
}

}  // namespace orvane::ui
