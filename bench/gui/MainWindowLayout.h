#pragma once
// A window the size of the main window holding 60 controls where the main window has them,
// with its background and panel frames: what one full repaint of the application costs.
#include "ui/CDlgBase.h"

namespace orvane::bench {

class MainWindowLayout : public ui::CDlgBase {
public:
    explicit MainWindowLayout(platform::Platform& platform);

    void CreateControls(const platform::Rect& client) override;
    void DrawWindow(platform::Painter& p, const platform::Rect& client) override;
    intptr_t OnMessage(uint32_t, uintptr_t, intptr_t) override { return 0; }

    size_t ControlCount() const;

private:
    platform::Rect D(int32_t l, int32_t t, int32_t r, int32_t b) const;
    platform::Image background_;
    platform::Image panel_;
    int32_t currentProfile_ = 0;
};

}  // namespace orvane::bench
