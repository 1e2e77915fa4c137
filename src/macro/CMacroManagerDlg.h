#pragma once
// The macro manager: the modal editor of the macro library. It shows the macros of one macro
// set and the actions of the selected one; the user creates, renames and deletes macros,
// records keys into one, inserts, edits and deletes actions, chooses how it repeats, and
// exports or imports the whole library. It works on its own copy of the library, read from the
// library file when it opens and written back after every change of structure and on close.
#include <filesystem>
#include <functional>
#include <memory>

#include "dialogs/PopupWindowTable.h"
#include "macro/MacroLayout.h"
#include "macro/MacroRecorder.h"
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
    // that file); it never touches app.library itself.
    CMacroManagerDlg(platform::Platform& platform, ui::CDlgBase* parent, AppData& app, int setNumber,
                     LibrarySaver saver = {});
    ~CMacroManagerDlg() override;

    // The key list's selection when the manager last closed (-1 before that); the next manager
    // preselects it, whatever set it shows.
    static int32_t& RememberedKeyIndex();

    bool OnInitDialog() override;

    // ---- What tests and the opener look at ----
    const MacroLibrary& Library() const { return library_; }
    MacroKey* SelectedKey() const { return selected_; }
    bool Recording() const { return recorder_.Recording(); }
    platform::HookReach Reach() const { return reach_; }
    platform::EditField* LoopCountField() const { return loopField_; }
    bool LoopFieldShown() const { return loopFieldShown_; }
    const Text& CaptureNotice() const { return notice_; }
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
    bool TypedKeyIsTheAnswer() const override { return Recording() && !keyboardRecording_; }
    // Column by column: the macros, the actions, then the options; the close cross first.
    std::vector<ui::CControlBase*> ReadingOrder() const override;

private:
    // ---- Keys of the set (CMacroManagerDlg.cpp) ----
    MacroSet* ShownSet();
    void Synchronise();
    void SelectKey();
    void NewKey();
    void DeleteKey();
    void RenameKey();
    void SetLoopType(uint8_t type);
    void LoopCountTyped();
    bool FilterLoopCountKey(const platform::KeyEvent& e);
    void ShowLoopField(bool show);
    void FillLoopField();
    void Close();
    void Export();
    void Import();
    // Writes the library file; tells the user when it could not. False on failure.
    bool SaveLibrary();
    void ShowAttention(const Text& message);
    void ShowAttention(int entry) { ShowAttention(language_.LanguageText(entry)); }

    // ---- Keyboard and readers (CMacroManagerDlgKeyboard.cpp) ----
    void NameControlsForReaders();
    // A recording started or stopped from the keyboard leaves out the key that did it.
    bool SkipsKey(uint32_t code, bool release);
    void DropStoppingKey(uint32_t vk);

    // ---- Scrolling (CMacroManagerDlgScroll.cpp) ----
    void ActionScroll(uintptr_t wParam, intptr_t code);
    void KeyScroll(uintptr_t wParam, intptr_t code);
    void ScrollActionsToEnd();
    void UpdateActionBar();
    void UpdateKeyBar();

    // ---- Actions and recording (CMacroManagerDlgActions.cpp) ----
    void OpenInsertMenu();
    // The insert menu went away, with its choice or (null) without one.
    void InsertChosen(const ui::PopupResult* result);
    void RunPendingInsert();
    void Insert(int what);
    void InsertDelay(MacroKey& key);
    void InsertKey(MacroKey& key);
    void EditAction();
    void DeleteAction();
    void RecordToggled();
    void StartRecording();
    void StopRecording();
    void StopOnLimit();
    void KeyTyped(uintptr_t code, intptr_t word);
    bool StartHook();
    void PauseHook();
    void EnableControls(bool all);
    void ShowReach();

    AppData& app_;
    const LanguageTable& language_;
    std::filesystem::path libraryFile_;
    int setNumber_;
    LibrarySaver saver_;
    MacroLibrary library_;
    MacroKey* selected_ = nullptr;
    MacroRecorder recorder_;
    std::unique_ptr<platform::KeyboardHook> hook_;
    platform::HookReach reach_ = platform::HookReach::None;
    bool pendingInsert_ = false;
    int pendingCode_ = 0;
    platform::EditField* loopField_ = nullptr;  // loopControl_'s desktop field
    bool loopFieldShown_ = false;
    Text notice_;
    bool unsavedCloseWarned_ = false;
    uint32_t keyInHand_ = 0;       // the key being handled by the window, 0 outside its handling
    bool keyboardRecording_ = false;  // the running recording was started by a key
    uint32_t unheardRelease_ = 0;  // the release of the key that started the recording
    std::unique_ptr<dialogs::PopupWindowEntry> entry_;  // closed with the application

    ui::CEditShowList* keyList_ = nullptr;
    ui::CImageShowList* actionList_ = nullptr;
    ui::CVScrollBar* keyBar_ = nullptr;
    ui::CVScrollBar* actionBar_ = nullptr;
    ui::CCheckButton* record_ = nullptr;
    ui::CCheckButton* recordDelays_ = nullptr;
    ui::CStaticText* noticeText_ = nullptr;
    ui::CEditControl* loopControl_ = nullptr;
};

}  // namespace orvane::macro
