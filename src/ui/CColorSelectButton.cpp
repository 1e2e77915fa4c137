#include "ui/CColorSelectButton.h"

namespace orvane::ui {

CColorSelectButton::CColorSelectButton(CDlgBase* owner, uint32_t id, const Rect& rect, const Rect& colourRect,
                                       Text text, bool visible, bool active, bool disabled)
    : CButtonBase(owner, id, rect, std::move(text), 0, visible, active, disabled), colourRect_(colourRect) {}

void CColorSelectButton::SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    colourRect_ = colourRect_.translated(left - rect_.left, top - rect_.top);
    CControlBase::SetRect(left, top, right, bottom);
}

void CColorSelectButton::Draw(Painter& p, const Rect&) { p.fillRect(colourRect_, bgr(colour_)); }

}  // namespace orvane::ui
