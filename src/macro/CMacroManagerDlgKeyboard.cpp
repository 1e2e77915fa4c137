// CMacroManagerDlg: the order Tab and readers visit the controls in, the names readers give the
// controls that show no text of their own, and the keys that start and stop a recording.
#include <algorithm>

#include "dialogs/CFramedDlg.h"
#include "macro/CMacroManagerDlg.h"
#include "macro/MacroActions.h"
#include "macro/MacroEdits.h"
#include "macro/MacroManagerIds.h"
#include "ui/CEditControl.h"
#include "ui/CImageShowList.h"

namespace orvane::macro {

using namespace mgr;

namespace {
// Column by column, each list under its caption and above its buttons. The scroll bars stand
// beside their lists but readers are not told of them and Tab passes them by: the lists' own
// keys scroll, and a reader moves through the rows.
constexpr uint32_t kOrder[] = {
    kClose,
    kKeysCaption,    kKeyList,      kKeyScroll,    kNewKey,        kDeleteKey,
    kActionsCaption, kActionList,   kActionScroll, kEditAction,    kDeleteAction,
    kRecord,         kRecordDelays, kDelaysCaption,
    kLoopWhileHeld,  kLoopCaption1, kLoopUntilAgain, kLoopCaption1 + 1, kLoopCount, kLoopCaption1 + 2, kLoopCountField,
    kInsertMenu,     kCaptureNotice, kExport,      kImport,
};
}  // namespace

std::vector<ui::CControlBase*> CMacroManagerDlg::ReadingOrder() const {
    std::vector<ui::CControlBase*> shown = CDlgBase::ReadingOrder();
    auto rank = [](const ui::CControlBase* c) {
        const auto* at = std::find(std::begin(kOrder), std::end(kOrder), c->Id());
        return int(at - std::begin(kOrder));  // controls not named keep their place at the end
    };
    std::stable_sort(shown.begin(), shown.end(),
                     [&](const ui::CControlBase* a, const ui::CControlBase* b) { return rank(a) < rank(b); });
    return shown;
}

void CMacroManagerDlg::NameControlsForReaders() {
    auto name = [this](uint32_t id, int entry) {
        if (auto* c = FindControl(id)) c->SetAccessibleName(language_.LanguageText(entry));
    };
    name(kClose, dialogs::CFramedDlg::kTextCloseName);
    name(kKeyList, kTextKeys);
    name(kActionList, kTextActions);
    // A combo's caption is read as its value: the menu needs a name of its own.
    name(kInsertMenu, kTextInsert);
    // The check box and the radios are named by the captions beside them.
    name(kRecordDelays, kTextRecordDelays);
    name(kLoopWhileHeld, kTextLoopWhileHeld);
    name(kLoopUntilAgain, kTextLoopUntilAgain);
    name(kLoopCount, kTextLoopCount);
    if (loopControl_) loopControl_->NameForReaders(language_.LanguageText(kTextLoopCount));
    actionList_->SetReaderWords(language_.LanguageText(kTextReaderPress), language_.LanguageText(kTextReaderRelease),
                                language_.LanguageText(kTextReaderDelay));
}

bool CMacroManagerDlg::onKey(const platform::KeyEvent& e) {
    keyInHand_ = e.down ? e.vk : 0;
    const bool used = CDlgBase::onKey(e);
    keyInHand_ = 0;
    return used;
}

bool CMacroManagerDlg::SkipsKey(uint32_t code, bool release) {
    if (!unheardRelease_ || code != unheardRelease_) return false;
    // The Space or Enter that pressed Record comes up after the recording started; a second
    // press of it is the user's again.
    unheardRelease_ = 0;
    return release;
}

void CMacroManagerDlg::DropStoppingKey(uint32_t vk) {
    unheardRelease_ = 0;
    if (!selected_ || vk == 0 || vk > 0xFF) return;
    // The hook may hear the Space or Enter that pressed Stop before the window does: its press,
    // with the wait before it, is the command that ended the recording.
    uint32_t count = selected_->UsableActionCount();
    if (count == 0 || selected_->GetActionBytes(count - 1) != keyAction(uint8_t(vk), false)) return;
    deleteAction(*selected_, --count);
    if (count > 0 && isDelay(selected_->GetActionBytes(count - 1))) deleteAction(*selected_, count - 1);
    if (actionList_->SelectedRow >= int32_t(count)) actionList_->SelectedRow = -1;
    UpdateActionBar();
    InvalidateRect(actionList_->GetRect());
}

}  // namespace orvane::macro
