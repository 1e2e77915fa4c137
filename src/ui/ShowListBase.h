#pragma once
// What the macro manager's two lists share: rows of one height from the top, one row selected,
// a first row shown, the pointer (hover, press, select, double click), the list keys and the
// reader's row names. A list says only how many rows it has, how a row looks and what a reader
// hears for it. From the keyboard the list keys move the selection (told to the owner as a
// click), Enter and Space act on the selected row (a double click) and Delete asks the owner to
// delete it.
#include "ui/CControlBase.h"
#include "ui/PointerState.h"

namespace orvane::ui {

class ShowListBase : public CControlBase {
public:
    static constexpr int32_t kRowHeight = 20;  // design pixels

    void Draw(Painter& p, const Rect& clip) override;
    bool OnMouseMove(uint32_t flags, Point pt) override;
    bool OnLButtonDown(uint32_t flags, Point pt) override;
    bool OnLButtonUp(uint32_t flags, Point pt) override;
    bool OnLButtonDblClk(uint32_t flags, Point pt) override;
    bool Activate() override;
    bool OnNavigationKey(uint32_t vk) override;
    bool SelectItem(int32_t row) override;

    int32_t SelectedRow = -1;
    int32_t FirstRow = 0;
    int32_t VisibleRows = 0;

    int PointerStateValue() const { return pointer_.get(); }

protected:
    ShowListBase(CDlgBase* owner, uint32_t id, const Rect& rect, bool visible, bool active, bool disabled);

    static constexpr uint32_t kSelectedColor = 0xDEA035;
    static constexpr uint32_t kTextColor = 0xFFFFFF;

    // How many rows the list holds now.
    virtual int32_t RowCount() const = 0;
    // Draws row `row` (counted from the list's first row) into the band from `top`, one row high.
    virtual void DrawRow(Painter& p, int32_t row, int32_t top, bool selected) = 0;
    // What a reader says for row `row`.
    virtual Text RowName(int32_t row) const = 0;
    // Whether a double click on shown row `shownRow` (counted from the top row shown) is told to
    // the owner.
    virtual bool DoubleClickCounts(int32_t) const { return true; }

    void DescribeInto(AccessibleNode& n) const override;
    bool TakesFocus() const override { return true; }
    // The row under y, counted from the top row shown.
    int32_t RowAt(int32_t y) const { return (y - rect_.top) / Scaled(kRowHeight); }

private:
    bool SelectionValid() const { return SelectedRow >= 0 && SelectedRow < RowCount(); }

    PointerState pointer_;
};

}  // namespace orvane::ui
