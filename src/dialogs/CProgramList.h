#pragma once
// The programs dialog's list of the programs that have windows now: one row each, its icon (when
// the desktop gives one) and its name. A click on a row tells the owner (code kCodeClicked,
// wParam = the program's index in Programs()); the wheel scrolls.
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

    // Sorted by name, case aside; programs without a name are left out.
    void SetPrograms(std::vector<platform::RunningProgram> programs);
    const std::vector<platform::RunningProgram>& Programs() const { return programs_; }
    // Scrolls by rows (negative: up), staying within the list.
    void Scroll(int32_t rows);
    int32_t FirstRow() const { return first_; }
    int32_t VisibleRows() const;
    // The program drawn at pt, or -1.
    int32_t ProgramAt(platform::Point pt) const;

private:
    std::vector<platform::RunningProgram> programs_;
    int32_t first_ = 0;
    int32_t hot_ = -1;
    int32_t pressed_ = -1;
};

}  // namespace orvane::dialogs
