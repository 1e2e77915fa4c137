#pragma once
// The macro manager's list of the MacroKey names of one macro set. It reads the library it is
// bound to on every paint and keeps no copy, so the owner repaints it after every change.
// From the keyboard the list keys move the selection (told to the owner as a click), Enter and
// Space rename the selected macro (a double click) and Delete asks the owner to delete it.
#include "profile/MacroLibrary.h"
#include "ui/CControlBase.h"
#include "ui/PointerState.h"

namespace orvane::ui {

class CEditShowList : public CControlBase {
public:
    static constexpr uint32_t kId = 2015;
    static constexpr int32_t kRowHeight = 20;  // design pixels

    CEditShowList(CDlgBase* owner, const Rect& rect, const MacroLibrary& library, bool visible = true,
                  bool active = true, bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;
    bool OnMouseMove(uint32_t flags, Point pt) override;
    bool OnLButtonDown(uint32_t flags, Point pt) override;
    bool OnLButtonUp(uint32_t flags, Point pt) override;
    bool OnLButtonDblClk(uint32_t flags, Point pt) override;
    bool Activate() override;
    bool OnNavigationKey(uint32_t vk) override;
    bool SelectItem(int32_t row) override;

    // Shows set index from its top, its first key selected (none when the set is empty or
    // missing).
    void ShowSet(int32_t setIndex);
    // Scrolls so that the last key is in the bottom row.
    void ScrollToEnd();

    int32_t SetIndex = -1;
    int32_t SelectedRow = -1;
    int32_t FirstRow = 0;
    int32_t VisibleRows = 0;

    int PointerStateValue() const { return pointer_.get(); }

protected:
    void DescribeInto(AccessibleNode& n) const override;
    bool TakesFocus() const override { return true; }

private:
    const MacroSet* ShownSet() const;
    int32_t KeyCount() const;
    // The row under y, counted from the top row shown.
    int32_t RowAt(int32_t y) const;

    const MacroLibrary& library_;
    PointerState pointer_;
};

}  // namespace orvane::ui
