#pragma once
// The macro manager: the modal editor of the macro library. It shows the macros of one macro
// set and the actions of the selected one; the user creates, renames and deletes macros,
// records keys into one, inserts, edits and deletes actions, chooses how it repeats, and
// exports or imports the whole library. It works on its own copy of the library, read from the
// library file when it opens and written back after every change of structure and on close.
//
// The window keeps the macros of the set, the loop options and the library file; its parts
// with a life of their own are collaborators it wires up when it creates its controls: each
// list with its scroll bar (ScrolledList), the loop count field (LoopCountInput), the Record
// button with the keyboard hook (RecordingControl), and the Insert menu with the editing of
// actions (ActionEditing).
#include <filesystem>
#include <functional>
#include <memory>

#include "dialogs/PopupWindowTable.h"
#include "macro/ActionEditing.h"
#include "macro/LoopCountInput.h"
#include "macro/MacroLayout.h"
#include "macro/RecordingControl.h"
#include "macro/ScrolledList.h"
#include "platform/EditField.h"
#include "platform/KeyboardHook.h"
#include "profile/AppData.h"
#include "profile/LanguageTable.h"
#include "profile/MacroLibrary.h"
#include "ui/CDlgBase.h"

namespace orvane::ui {
class CCheckButton;
class CEditControl;
class CEditShowList;
class CImageShowList;
class CStaticText;
class CVScrollBar;
}  // namespace orvane::ui

namespace orvane::macro {

class CMacroManagerDlg : public ui::CDlgBase {
public:
    // Saves the manager's library. The owner may take in, on the way, changes another program
    // saved meanwhile: then it sets merged and leaves the merged library in `library`.
    using LibrarySaver = std::function<Status(MacroLibrary& library, bool& merged)>;

    // setNumber is the 1-based number of the macro set shown; 0 shows none. The window reads
    // the library file of app's config folder and saves through saver (by default straight to
    // that file); it never touches app.library itself. rememberedKey, kept by the opener: the
    // key list's selection when its manager last closed (-1 before that), which this one
    // preselects, whatever set it shows, and where it leaves its own; none: nothing carries over.
    CMacroManagerDlg(platform::Platform& platform, ui::CDlgBase* parent, AppData& app, int setNumber,
                     LibrarySaver saver = {}, int32_t* rememberedKey = nullptr);
    ~CMacroManagerDlg() override;

    bool OnInitDialog() override;

    // ---- What tests and the opener look at ----
    const MacroLibrary& Library() const { return library_; }
    MacroKey* SelectedKey() const { return selected_; }
    bool Recording() const { return recording_ && recording_->Recording(); }
    platform::HookReach Reach() const { return recording_ ? recording_->Reach() : platform::HookReach::None; }
    platform::EditField* LoopCountField() const { return loop_ ? loop_->Field() : nullptr; }
    bool LoopFieldShown() const { return loop_ && loop_->Shown(); }
    const Text& CaptureNotice() const;
    ui::CEditShowList* KeyList() const { return keyList_; }
    ui::CImageShowList* ActionList() const { return actionList_; }

protected:
    void CreateControls(const Rect& client) override;
    void DrawWindow(Painter& p, const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    intptr_t OnResult(uint32_t msg, uintptr_t wParam, const ui::PopupResult& result) override;
    bool OnKeyDown(uint32_t vk) override;
    void OnMouseMove(uint32_t flags, Point pt) override;
    void OnMouseWheel(uint32_t flags, int32_t delta, Point pt) override;
    void OnCancel() override { Close(); }
    bool onKey(const platform::KeyEvent& e) override;
    // A recording started with the pointer hears every key, Tab, Space and Enter included; none
    // moves the focus or presses a button (the pointer stops it).
    bool TypedKeyIsTheAnswer() const override { return Recording() && !recording_->StartedByKey(); }
    // Column by column: the macros, the actions, then the options; the close cross first.
    std::vector<ui::CControlBase*> ReadingOrder() const override;

private:
    // ---- The macros of the set and the loop options (CMacroManagerDlg.cpp) ----
    // Makes the collaborators once the controls they work on exist.
    void ConnectParts(ui::CEditControl& loopControl);
    MacroSet* ShownSet();
    // The selection, the action list, the scroll bars and the loop options follow the library.
    void Synchronise();
    void SelectKey();
    void NewKey();
    void DeleteKey();
    void RenameKey();
    void SetLoopType(uint8_t type);
    void ShowAttention(const Text& message);
    void ShowAttention(int entry) { ShowAttention(language_.LanguageText(entry)); }
    // Everything usable (true), or only what a recording leaves usable.
    void EnableControls(bool all);

    // ---- The library file (CMacroManagerDlgLibrary.cpp) ----
    void Close();
    void Export();
    void Import();
    // Writes the library file; tells the user when it could not. False on failure.
    bool SaveLibrary();

    // ---- Keyboard and readers (CMacroManagerDlgKeyboard.cpp) ----
    void NameControlsForReaders();

    AppData& app_;
    const LanguageTable& language_;
    std::filesystem::path libraryFile_;
    int setNumber_;
    LibrarySaver saver_;
    int32_t* rememberedKey_;
    MacroLibrary library_;
    MacroKey* selected_ = nullptr;
    bool unsavedCloseWarned_ = false;
    std::unique_ptr<dialogs::PopupWindowEntry> entry_;  // closed with the application

    ui::CEditShowList* keyList_ = nullptr;
    ui::CImageShowList* actionList_ = nullptr;
    ui::CVScrollBar* keyBar_ = nullptr;
    ui::CVScrollBar* actionBar_ = nullptr;
    ui::CCheckButton* record_ = nullptr;
    ui::CCheckButton* recordDelays_ = nullptr;
    ui::CStaticText* noticeText_ = nullptr;

    // Made with the controls, in this order (each may use those before it).
    std::unique_ptr<ScrolledList> keys_;
    std::unique_ptr<ScrolledList> actions_;
    std::unique_ptr<LoopCountInput> loop_;
    std::unique_ptr<RecordingControl> recording_;
    std::unique_ptr<ActionEditing> editing_;
};

}  // namespace orvane::macro
