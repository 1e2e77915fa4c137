// CMacroManagerDlg: the order Tab and readers visit the controls in, the names readers give the
// controls that show no text of their own, and the key in hand for a recording it starts or stops.
#include <algorithm>

#include "dialogs/CFramedDlg.h"
#include "macro/CMacroManagerDlg.h"
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
    loop_->Control().NameForReaders(language_.LanguageText(kTextLoopCount));
    actionList_->SetReaderWords(language_.LanguageText(kTextReaderPress), language_.LanguageText(kTextReaderRelease),
                                language_.LanguageText(kTextReaderDelay));
}

bool CMacroManagerDlg::onKey(const platform::KeyEvent& e) {
    // A recording this key starts or stops leaves the key out of the macro.
    if (recording_) recording_->SetKeyInHand(e.down ? e.vk : 0);
    const bool used = CDlgBase::onKey(e);
    if (recording_) recording_->SetKeyInHand(0);
    return used;
}

}  // namespace orvane::macro
