#pragma once
// The macro manager's list of the MacroKey names of one macro set. It reads the library it is
// bound to on every paint and keeps no copy, so the owner repaints it after every change.
// Enter and Space rename the selected macro (a double click); a double click below the last
// name is not told.
#include "profile/MacroLibrary.h"
#include "ui/ShowListBase.h"

namespace orvane::ui {

class CEditShowList : public ShowListBase {
public:
    static constexpr uint32_t kId = 2015;

    CEditShowList(CDlgBase* owner, const Rect& rect, const MacroLibrary& library, bool visible = true,
                  bool active = true, bool disabled = false);

    // Shows set index from its top, its first key selected (none when the set is empty or
    // missing).
    void ShowSet(int32_t setIndex);
    // Scrolls so that the last key is in the bottom row.
    void ScrollToEnd();

    int32_t SetIndex = -1;

protected:
    int32_t RowCount() const override;
    void DrawRow(Painter& p, int32_t row, int32_t top, bool selected) override;
    Text RowName(int32_t row) const override;
    bool DoubleClickCounts(int32_t shownRow) const override { return shownRow < RowCount(); }

private:
    const MacroSet* ShownSet() const;

    const MacroLibrary& library_;
};

}  // namespace orvane::ui
