#pragma once
// The macro manager's list of the actions of one MacroKey, each row an icon (press, release or
// delay) and a text. It reads the MacroKey on every paint and keeps no copy.
#include "profile/MacroKey.h"
#include "ui/CControlBase.h"
#include "ui/MacroActionText.h"
#include "ui/PointerState.h"

namespace orvane::ui {

class CImageShowList : public CControlBase {
public:
    static constexpr uint32_t kId = 2020;
    static constexpr int32_t kRowHeight = 20;  // design pixels

    CImageShowList(CDlgBase* owner, const Rect& rect, KeyNameLookup keyName, bool visible = true,
                   bool active = true, bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;
    bool OnMouseMove(uint32_t flags, Point pt) override;
    bool OnLButtonDown(uint32_t flags, Point pt) override;
    bool OnLButtonUp(uint32_t flags, Point pt) override;
    bool OnLButtonDblClk(uint32_t flags, Point pt) override;
    void ReleaseImages() override;

    void LoadIcons(const Text& release, const Text& press, const Text& delay);
    void SetIcons(const Image& release, const Image& press, const Image& delay);

    const MacroKey* ShownKey = nullptr;
    int32_t SelectedRow = -1;
    int32_t VisibleRows = 0;
    int32_t FirstRow = 0;

    int PointerStateValue() const { return pointer_.get(); }
    // The row's icon and text as drawn.
    MacroActionRow RowOf(uint32_t actionIndex) const;

private:
    int32_t RowAt(int32_t y) const { return (y - rect_.top) / Scaled(kRowHeight); }
    void RememberIconSize(const Image& img);

    KeyNameLookup keyName_;
    Image release_;
    Image press_;
    Image delay_;
    int32_t iconWidth_ = 0;
    int32_t iconHeight_ = 0;
    PointerState pointer_;
};

}  // namespace orvane::ui
