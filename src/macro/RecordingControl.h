#pragma once
// The macro manager's Record button: the keyboard hook, the recorder that fills the selected
// macro from it, the notice of which keys the hook hears, and the keys that started or stopped
// a recording from the keyboard, which the macro must not get. The hook's keys come back
// through the window's messages (kMsgKey), so they are handled in turn, never inside the hook.
#include <cstdint>
#include <functional>
#include <memory>

#include "macro/MacroRecorder.h"
#include "platform/KeyboardHook.h"
#include "profile/LanguageTable.h"

namespace orvane::ui {
class CDlgBase;
class CCheckButton;
class CStaticText;
class ShowListBase;
}  // namespace orvane::ui

namespace orvane::macro {

class ScrolledList;

class RecordingControl {
public:
    // The parts of the window a recording uses.
    struct Window {
        ui::CDlgBase& dialog;
        const LanguageTable& language;
        ui::CCheckButton& record;        // checked while recording
        ui::CCheckButton& recordDelays;  // whether the waits between keys are recorded
        ui::CStaticText& notice;
        ui::ShowListBase& actionList;
        ScrolledList& actions;
        std::function<MacroKey*()> selectedKey;
        // Everything usable (true), or only what a recording leaves usable.
        std::function<void(bool all)> enableControls;
        std::function<void(int textEntry)> attention;
        std::function<void()> saveLibrary;
    };

    explicit RecordingControl(Window window);
    ~RecordingControl();
    RecordingControl(const RecordingControl&) = delete;
    RecordingControl& operator=(const RecordingControl&) = delete;

    [[nodiscard]] bool Recording() const { return recorder_.Recording(); }
    // Started by a key (Space or Enter on Record) rather than the pointer.
    [[nodiscard]] bool StartedByKey() const { return keyboardRecording_; }
    [[nodiscard]] platform::HookReach Reach() const { return reach_; }
    [[nodiscard]] const Text& Notice() const { return notice_; }

    // Record was pressed: starts or stops as it is now checked.
    void Toggled();
    void Stop();
    // A key the hook heard, as posted: its code and RecordedKey's event word.
    void KeyTyped(uintptr_t code, intptr_t word);
    // The window handles the key vk (0: none) now; a recording it starts or stops leaves it out.
    void SetKeyInHand(uint32_t vk) { keyInHand_ = vk; }
    // Stops listening while a dialog of the window takes keys, and listens again.
    void PauseHook();
    bool StartHook();

private:
    void Start();
    void StopOnLimit();
    void ShowReach();
    // A recording started or stopped from the keyboard leaves out the key that did it.
    bool SkipsKey(uint32_t code, bool release);
    void DropStoppingKey(uint32_t vk);

    Window w_;
    MacroRecorder recorder_;
    std::unique_ptr<platform::KeyboardHook> hook_;
    platform::HookReach reach_ = platform::HookReach::None;
    Text notice_;
    uint32_t keyInHand_ = 0;          // the key being handled by the window, 0 outside its handling
    bool keyboardRecording_ = false;  // the running recording was started by a key
    uint32_t unheardRelease_ = 0;     // the release of the key that started the recording
};

}  // namespace orvane::macro
