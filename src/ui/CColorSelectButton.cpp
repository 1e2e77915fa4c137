#include "ui/CColorSelectButton.h"

namespace orvane::ui {

CColorSelectButton::CColorSelectButton(CDlgBase* owner, uint32_t id, const Rect& rect, const Rect& colourRect,
                                       Text text, bool visible, bool active, bool disabled)
    : CButtonBase(owner, id, rect, std::move(text), 0, visible, active, disabled), colourRect_(colourRect) {}

void CColorSelectButton::Draw(Painter& p, const Rect&) { p.fillRect(colourRect_, bgr(colour_)); }

}  // namespace orvane::ui
