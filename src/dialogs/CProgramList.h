#pragma once
// The programs dialog's list of the programs that have windows now: one row each, its icon (when
// the desktop gives one) and its name. A click on a row tells the owner (code kCodeClicked,
// wParam = the program's index in Programs()); the wheel scrolls. From the keyboard the list keys
// move a cursor row (scrolled into view, drawn as the row under the pointer is) and Enter or
// Space choose it as a click does; to readers the list's rows are its items, the cursor row the
// selected one.
#include <vector>

#include "platform/FocusWatcher.h"
#include "ui/CControlBase.h"
#include "ui/PointerState.h"

namespace orvane::dialogs {

class CProgramList : public ui::CControlBase {
public:
    static constexpr int32_t kRowHeight = 20;  // design pixels

    CProgramList(ui::CDlgBase* owner, uint32_t id, const platform::Rect& rect);

    void Draw(platform::Painter& p, const platform::Rect& clip) override;
    bool OnMouseMove(uint32_t flags, platform::Point pt) override;
    bool OnLButtonDown(uint32_t flags, platform::Point pt) override;
    bool OnLButtonUp(uint32_t flags, platform::Point pt) override;
    bool Activate() override;
    bool OnNavigationKey(uint32_t vk) override;
    // A reader's choice of a row: the row becomes the cursor and is chosen, as a click chooses it.
    bool SelectItem(int32_t row) override;

    // Sorted by name, case aside; programs without a name are left out.
    void SetPrograms(std::vector<platform::RunningProgram> programs);
    const std::vector<platform::RunningProgram>& Programs() const { return programs_; }
    // Scrolls by rows (negative: up), staying within the list.
    void Scroll(int32_t rows);
    int32_t FirstRow() const { return first_; }
    int32_t VisibleRows() const;
    // The program drawn at pt, or -1.
    int32_t ProgramAt(platform::Point pt) const;
    // The keyboard's row, -1 before a list key moved it.
    int32_t CursorRow() const { return cursor_; }

protected:
    bool TakesFocus() const override { return true; }
    void DescribeInto(platform::AccessibleNode& n) const override;

private:
    std::vector<platform::RunningProgram> programs_;
    int32_t first_ = 0;
    int32_t hot_ = -1;
    int32_t pressed_ = -1;
    int32_t cursor_ = -1;
};

}  // namespace orvane::dialogs
