#include "macro/RecordingControl.h"

#include "macro/MacroActions.h"
#include "macro/MacroEdits.h"
#include "macro/MacroManagerIds.h"
#include "macro/ScrolledList.h"
#include "platform/Platform.h"
#include "ui/CCheckButton.h"
#include "ui/CDlgBase.h"
#include "ui/CStaticText.h"
#include "ui/ShowListBase.h"

namespace orvane::macro {

using namespace mgr;

RecordingControl::RecordingControl(Window window) : w_(std::move(window)) {}

RecordingControl::~RecordingControl() {
    if (hook_) hook_->Stop();
    recorder_.Stop();
}

void RecordingControl::Toggled() {
    if (w_.record.Checked())
        Start();
    else
        Stop();
}

bool RecordingControl::StartHook() {
    if (!hook_) hook_ = w_.dialog.GetPlatform().createKeyboardHook();
    if (!hook_) {
        reach_ = platform::HookReach::None;
        return false;
    }
    hook_->onProgramKeyboard = [this](bool) { ShowReach(); };
    ui::CDlgBase& dialog = w_.dialog;
    reach_ = hook_->Start([&dialog](const platform::HookKey& k) {
        if (k.vk == 0 || k.autoRepeat) return;
        dialog.PostMessage(kMsgKey, k.vk, intptr_t(RecordedKey::make(k.vk, k.release, k.timeMs).word));
    });
    return reach_ != platform::HookReach::None;
}

void RecordingControl::PauseHook() {
    if (hook_) hook_->Stop();
}

void RecordingControl::Start() {
    MacroKey* key = w_.selectedKey();
    if (!key) {
        w_.record.SetChecked(false);
        w_.dialog.InvalidateRect(w_.record.GetRect());
        w_.attention(kTextRecordWithoutKey);
        return;
    }
    if (!StartHook()) {
        // Nothing could be heard: say so rather than record an empty macro.
        w_.record.SetChecked(false);
        w_.dialog.InvalidateRect(w_.record.GetRect());
        w_.attention(kTextHearsNothing);
        return;
    }
    recorder_.Start(*key);
    w_.actionList.SelectedRow = -1;
    w_.actionList.FirstRow = 0;
    w_.actions.UpdateBar();
    w_.dialog.InvalidateRect(w_.actionList.GetRect());
    keyboardRecording_ = keyInHand_ != 0;
    unheardRelease_ = keyInHand_;
    w_.enableControls(false);
    ShowReach();
}

void RecordingControl::Stop() {
    PauseHook();
    recorder_.Stop();
    DropStoppingKey(keyInHand_);
    w_.enableControls(true);
    ShowReach();
    w_.saveLibrary();
}

void RecordingControl::StopOnLimit() {
    // The hook goes first: keys typed while the message is up must not reach the macro.
    PauseHook();
    recorder_.Stop();
    w_.enableControls(true);
    w_.record.SetChecked(false);
    w_.dialog.InvalidateRect(w_.record.GetRect());
    ShowReach();
    w_.attention(kTextRecordingFull);
    w_.saveLibrary();
}

void RecordingControl::KeyTyped(uintptr_t code, intptr_t word) {
    if (!w_.selectedKey() || !Recording()) return;
    if (SkipsKey(uint32_t(code), (uint32_t(word) & 0x80000000u) != 0)) return;
    const auto outcome = recorder_.OnKey(RecordedKey{uint32_t(code), uint32_t(word)}, w_.recordDelays.Checked());
    if (outcome == MacroRecorder::Outcome::LimitReached) {
        StopOnLimit();
        return;
    }
    if (outcome == MacroRecorder::Outcome::Recorded && recorder_.Appended()) w_.actions.ScrollToEnd();
    w_.dialog.InvalidateRect(w_.actionList.GetRect());
}

void RecordingControl::ShowReach() {
    int entry = 0;
    if (Recording()) {
        switch (reach_) {
            case platform::HookReach::System: entry = kTextHearsEverything; break;
            case platform::HookReach::ProgramWindows:
                entry = hook_ && !hook_->ProgramHasKeyboard() ? kTextKeyboardElsewhere : kTextHearsOwnWindows;
                break;
            case platform::HookReach::None: entry = kTextHearsNothing; break;
        }
    }
    notice_ = entry ? w_.language.LanguageText(entry) : Text{};
    w_.notice.SetLabel(notice_);
    w_.dialog.InvalidateRect(w_.notice.GetRect());
}

bool RecordingControl::SkipsKey(uint32_t code, bool release) {
    if (!unheardRelease_ || code != unheardRelease_) return false;
    // The Space or Enter that pressed Record comes up after the recording started; a second
    // press of it is the user's again.
    unheardRelease_ = 0;
    return release;
}

void RecordingControl::DropStoppingKey(uint32_t vk) {
    unheardRelease_ = 0;
    MacroKey* key = w_.selectedKey();
    if (!key || vk == 0 || vk > 0xFF) return;
    // The hook may hear the Space or Enter that pressed Stop before the window does: its press,
    // with the wait before it, is the command that ended the recording.
    uint32_t count = key->UsableActionCount();
    if (count == 0 || key->GetActionBytes(count - 1) != keyAction(uint8_t(vk), false)) return;
    deleteAction(*key, --count);
    if (count > 0 && isDelay(key->GetActionBytes(count - 1))) deleteAction(*key, count - 1);
    if (w_.actionList.SelectedRow >= int32_t(count)) w_.actionList.SelectedRow = -1;
    w_.actions.UpdateBar();
    w_.dialog.InvalidateRect(w_.actionList.GetRect());
}

}  // namespace orvane::macro
