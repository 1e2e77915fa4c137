#pragma once
// A picture stretched over the control rectangle; it never reacts to the pointer.
#include "ui/CControlBase.h"

namespace orvane::ui {

class CStaticImage : public CControlBase {
public:
    CStaticImage(CDlgBase* owner, uint32_t id, const Rect& rect, Text text = {}, bool visible = true,
                 bool active = true);

    void Draw(Painter& p, const Rect& clip) override;
    void ReleaseImages() override { image_ = {}; }

    void LoadImageFile(const Text& path) { image_ = LoadImage(path); }

private:
    Image image_;
};

}  // namespace orvane::ui
