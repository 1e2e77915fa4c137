#include "ui/CStaticImage.h"

namespace orvane::ui {

CStaticImage::CStaticImage(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, bool visible, bool active)
    : CControlBase(owner, id, rect, std::move(text), visible, active, true, true) {}

void CStaticImage::Draw(Painter& p, const Rect&) {
    if (!image_.isNull()) p.drawImage(image_, rect_, platform::Interpolation::Smooth);
}

}  // namespace orvane::ui
