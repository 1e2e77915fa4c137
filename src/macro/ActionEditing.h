#pragma once
// The macro manager's editing of the selected macro's actions: the Insert menu and what it
// inserts (always at the end of the list), and the selected action edited or deleted.
#include <functional>

#include "profile/LanguageTable.h"
#include "profile/MacroKey.h"

namespace orvane::ui {
class CDlgBase;
class ShowListBase;
struct PopupResult;
}  // namespace orvane::ui

namespace orvane::macro {

class RecordingControl;
class ScrolledList;

class ActionEditing {
public:
    // The parts of the window the editing uses.
    struct Window {
        ui::CDlgBase& dialog;
        const LanguageTable& language;
        ui::ShowListBase& actionList;
        ScrolledList& actions;
        RecordingControl& recording;
        std::function<MacroKey*()> selectedKey;
        // The lists, the bars and the loop options follow the library again.
        std::function<void()> synchronise;
        std::function<void(int textEntry)> attention;
    };

    explicit ActionEditing(Window window) : w_(std::move(window)) {}

    void OpenInsertMenu();
    // The insert menu went away, with its choice or (null) without one.
    void InsertChosen(const ui::PopupResult* result);
    // A choice waits until the menu is gone from the screen; the window runs it after it drew.
    [[nodiscard]] bool InsertPending() const { return pendingInsert_; }
    void RunPendingInsert();
    void EditAction();
    void DeleteAction();

private:
    void Insert(int what);
    void InsertDelay(MacroKey& key);
    void InsertKey(MacroKey& key);

    Window w_;
    bool pendingInsert_ = false;
    int pendingCode_ = 0;
};

}  // namespace orvane::macro
