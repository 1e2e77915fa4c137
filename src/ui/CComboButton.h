#pragma once
// The button-assignment box: shows the current assignment and asks its owner, through its
// group message, to highlight the row (code 4 on entering, 5 on leaving) and to open the
// assignment menu (code 2). While the menu is open it keeps its marked look and does not
// report leaving.
#include "ui/CButtonBase.h"

namespace orvane::ui {

class CComboButton : public CButtonBase {
public:
    // The strip the application carries for the box, five looks wide.
    static constexpr int kStripResource = 184;
    // Moves inside the box that report code 4 before it stops reporting.
    static constexpr int kHoverReports = 5;

    CComboButton(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, uint32_t groupMessage,
                 bool visible = true, bool active = true, bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;
    bool OnMouseMove(uint32_t flags, Point pt) override;
    bool OnLButtonDown(uint32_t flags, Point pt) override;
    bool OnLButtonUp(uint32_t flags, Point pt) override;
    // Opens the assignment menu, as a click does.
    bool Activate() override;

    // The box of a button that cannot be assigned: its own two looks, white text, no clicks.
    void SetDisableLook(bool on) { disableLook_ = on; }
    // Shows "Disable" instead of the caption.
    void SetDisableText(bool on) { disableText_ = on; }
    // Set while a menu opened from this box is on screen.
    void SetMenuOpen(bool open) { menuOpen_ = open; }
    bool MenuOpen() const { return menuOpen_; }
    int Frame() const;
    // The square at the right end that holds the drop-down arrow: as wide as the box is tall
    // plus two pixels, at most kArrowMax design pixels. Captions end before it.
    static constexpr int32_t kArrowMax = 22;
    int32_t ArrowWidth() const;

protected:
    // A combo box whose value is the assignment shown.
    void DescribeInto(AccessibleNode& n) const override;
    // LoadImages({normal, active}).
    std::vector<Image> FramesFromSeparate(std::vector<Image> images) const override;

private:
    uint32_t groupMessage_;
    bool disableLook_ = false;
    bool disableText_ = false;
    bool menuOpen_ = false;
    int hoverCount_ = 0;
    bool hoverLatched_ = false;
};

}  // namespace orvane::ui
