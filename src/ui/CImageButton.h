#pragma once
// A plain push button: a strip of three looks (normal, over, pressed) or the pictures normal
// and active, and a caption. Its click carries its own Id as wParam.
#include "ui/CButtonBase.h"

namespace orvane::ui {

class CImageButton : public CButtonBase {
public:
    CImageButton(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, bool visible = true, bool active = true,
                 bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;

protected:
    uintptr_t ClickParam() const override { return id_; }
    // LoadImages({normal, active}): the active picture serves both over and pressed.
    std::vector<Image> FramesFromSeparate(std::vector<Image> images) const override;
};

}  // namespace orvane::ui
