#pragma once
// The open secondary dialogs that must be closed before the application ends: ten entries,
// the used ones always forming a prefix. Dialogs enter themselves when they initialise and
// leave when they are destroyed; the exit paths close whatever is still entered.
// One table for the process (instance()): dialogs enter from their own initialisation, opened
// from the main window, the macro manager or a dialog within a dialog, and only the main window
// closes them; handing the table to each would thread it through every dialog's constructor
// for no second owner. Tests clear it between windows.
#include <array>

#include "ui/CDlgBase.h"

namespace orvane::dialogs {

class PopupWindowTable {
public:
    static constexpr size_t kSize = 10;

    static PopupWindowTable& instance();

    // Ignored when all entries are taken (the dialog then simply is not closed on exit).
    void enter(ui::CDlgBase* dialog);
    // Later entries move down one place.
    void leave(ui::CDlgBase* dialog);
    // Sends every entered dialog the close message.
    void closeAll();
    void clear() { entries_.fill(nullptr); }
    size_t count() const;
    ui::CDlgBase* at(size_t i) const { return i < kSize ? entries_[i] : nullptr; }

private:
    std::array<ui::CDlgBase*, kSize> entries_{};
};

// Enters the dialog for as long as it lives.
class PopupWindowEntry {
public:
    explicit PopupWindowEntry(ui::CDlgBase* dialog) : dialog_(dialog) { PopupWindowTable::instance().enter(dialog); }
    ~PopupWindowEntry() { PopupWindowTable::instance().leave(dialog_); }
    PopupWindowEntry(const PopupWindowEntry&) = delete;
    PopupWindowEntry& operator=(const PopupWindowEntry&) = delete;

private:
    ui::CDlgBase* dialog_;
};

}  // namespace orvane::dialogs
