// CMacroManagerDlg: the window, its controls and their wiring, the macros of the set, the loop
// options and the library file.
#include "macro/CMacroManagerDlg.h"

#include <algorithm>
#include <string>

#include "device/KeyTables.h"
#include "dialogs/CAttentionDlg.h"
#include "dialogs/DialogLayout.h"
#include "macro/CMacroKeyAddDlg.h"
#include "macro/CMacroKeyRenameDlg.h"
#include "macro/MacroManagerIds.h"
#include "profile/MacroLibraryFile.h"
#include "ui/CCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CEditControl.h"
#include "ui/CEditShowList.h"
#include "ui/CImageButton.h"
#include "ui/CImageShowList.h"
#include "ui/CRadioButton.h"
#include "ui/CStaticText.h"
#include "ui/CVScrollBar.h"
#include "ui/RadioGroupState.h"
#include "ui/Pictures.h"

namespace orvane::macro {

using namespace mgr;
using dialogs::scaledRect;

namespace {
constexpr uint32_t kTextColour = 0xB4B4B4;
constexpr uint32_t kListFrameColour = 0x949494;
constexpr uint32_t kFieldText = 0xB4B4B4;
constexpr uint32_t kFieldBackground = 0x141414;
constexpr uint32_t kNoticeColour = 0x35A0DE;  // the skin's amber, for what needs the user's eye
constexpr int32_t kFieldFontHeight = 13;       // 10 points at 96 dots per inch
constexpr int kCaptionRight = 520;              // the right edge of the options' panel

struct Caption {
    uint32_t id;
    int left, top, right, bottom;
    int text;
};
constexpr Caption kCaptions[] = {
    {kKeysCaption, 24, 35, 124, 52, kTextKeys},
    {kActionsCaption, 189, 35, 289, 52, kTextActions},
    {kDelaysCaption, 390, 84, 590, 102, kTextRecordDelays},
    {kLoopCaption1, 390, 113, 590, 130, kTextLoopWhileHeld},
    {kLoopCaption1 + 1, 390, 141, 590, 158, kTextLoopUntilAgain},
    {kLoopCaption1 + 2, 390, 169, 590, 186, kTextLoopCount},
};

struct BottomButton {
    uint32_t id;
    int left, right;
    int text;
};
constexpr BottomButton kBottomButtons[] = {
    {kNewKey, 24, 89, kTextNew},          {kDeleteKey, 104, 169, kTextDelete}, {kEditAction, 189, 254, kTextEdit},
    {kDeleteAction, 269, 334, kTextDelete}, {kExport, 367, 432, kTextExport},  {kImport, 444, 509, kTextImport},
};

constexpr char kLibraryFileName[] = "MacroLibraryFile.mlf";
}  // namespace

CMacroManagerDlg::CMacroManagerDlg(platform::Platform& platform, ui::CDlgBase* parent, AppData& app, int setNumber,
                                   LibrarySaver saver, int32_t* rememberedKey)
    : CDlgBase(platform, parent),
      app_(app),
      language_(app.language),
      libraryFile_(app.Config(kLibraryFileName)),
      setNumber_(setNumber),
      saver_(std::move(saver)),
      rememberedKey_(rememberedKey) {
    SetWindowSize(int32_t(float(kDesignWidth) * Scale()), int32_t(float(kDesignHeight) * Scale()));
}

CMacroManagerDlg::~CMacroManagerDlg() {
    // The hook stops before anything of the window goes.
    editing_.reset();
    recording_.reset();
}

bool CMacroManagerDlg::OnInitDialog() {
    entry_ = std::make_unique<dialogs::PopupWindowEntry>(this);
    library_.ClearLibrary();
    if (Status read = ReadLibraryFile(library_, libraryFile_); !read && !read.error().isGone()) {
        // The file is there but is no library: it is set aside before the first save replaces it.
        app_.unreadFiles.insert(libraryFile_);
    }
    if (!CDlgBase::OnInitDialog()) return false;
    if (setNumber_ != 0) {
        keyList_->ShowSet(setNumber_ - 1);
        if (rememberedKey_ && *rememberedKey_ >= 0) keyList_->SelectedRow = *rememberedKey_;
    }
    Synchronise();
    loop_->Fill();
    loop_->Show(selected_ && selected_->LoopType == kLoopTypeCount);
    if (loop_->Shown()) loop_->Control().Focus();
    return true;
}

void CMacroManagerDlg::CreateControls(const Rect&) {
    const float s = Scale();
    auto rect = [s](int l, int t, int r, int b) { return scaledRect(l, t, r, b, s); };
    for (const Caption& c : kCaptions) {
        // The captions may reach past the window's edge; inside it they are drawn narrower
        // before they end with an ellipsis.
        auto* text = Add<ui::CStaticText>(0, c.id, rect(c.left, c.top, std::min(c.right, kCaptionRight), c.bottom), kTextColour,
                                          platform::kTextLeft | platform::kTextSingleLine | platform::kTextCondense);
        text->SetLabel(language_.LanguageText(c.text));
    }
    noticeText_ = Add<ui::CStaticText>(0, kCaptureNotice, rect(368, 252, 522, 326), kNoticeColour,
                                       platform::kTextLeft | platform::kTextWordBreak);
    auto* close = Add<ui::CImageButton>(0, kClose, rect(505, 3, 520, 18), Text{});
    close->LoadImages({ui::pictures::kExitNr, ui::pictures::kExitOv});

    record_ = Add<ui::CCheckButton>(0, kRecord, rect(370, 53, 460, 71), language_.LanguageText(kTextRecord));
    record_->SetCheckedText(language_.LanguageText(kTextStop));
    record_->LoadImages({ui::pictures::kMacroRecordNr, ui::pictures::kMacroRecordOv, ui::pictures::kMacroRecordDn});
    recordDelays_ = Add<ui::CCheckButton>(0, kRecordDelays, rect(370, 86, 381, 97), Text{});
    recordDelays_->LoadImages({ui::pictures::kCheckNr, ui::pictures::kCheckOv, ui::pictures::kCheckDn});
    recordDelays_->SetChecked(true);
    const int radioTops[] = {113, 141, 169};
    for (int i = 0; i < 3; ++i) {
        auto* radio = Add<ui::CRadioButton>(0, kLoopWhileHeld + uint32_t(i),
                                            rect(368, radioTops[i], 383, radioTops[i] + 15));
        radio->LoadImages({ui::pictures::kRadioNr, ui::pictures::kRadioOv, ui::pictures::kRadioDn});
    }
    for (const BottomButton& b : kBottomButtons) {
        auto* button = Add<ui::CImageButton>(0, b.id, rect(b.left, 333, b.right, 356), language_.LanguageText(b.text));
        button->LoadImages({ui::pictures::kButton3Nr, ui::pictures::kButton3Ov});
    }
    keyList_ = Add<ui::CEditShowList>(1, rect(25, 54, 168, 323), library_);
    actionList_ = Add<ui::CImageShowList>(1, rect(190, 54, 333, 323), [](uint8_t code) { return keyName(code); });
    actionList_->LoadIcons(ui::pictures::kMacroUp, ui::pictures::kMacroDown, ui::pictures::kMacroTime);
    keyBar_ = Add<ui::CVScrollBar>(1, kKeyScroll, rect(169, 53, 187, 324));
    keyBar_->LoadArrowImages();
    actionBar_ = Add<ui::CVScrollBar>(1, kActionScroll, rect(334, 53, 352, 324));
    actionBar_->LoadArrowImages();
    auto* insert =
        Add<ui::CComboButton>(0, kInsertMenu, rect(370, 230, 470, 247), language_.LanguageText(kTextInsert), kMsgInsertButton);
    insert->LoadImages({ui::pictures::kCombo3Nr, ui::pictures::kCombo3Ov});

    platform::EditFieldOptions look;
    look.font = FontSpec{u"Tahoma", -int32_t(float(kFieldFontHeight) * s), 0};
    look.text = platform::bgr(kFieldText);
    look.background = platform::bgr(kFieldBackground);
    auto* loopControl = Add<ui::CEditControl>(0, kLoopCountField, rect(392, 190, 470, 210), Text{}, look);
    loopControl->SetVisible(false);
    ConnectParts(*loopControl);
    NameControlsForReaders();
}

void CMacroManagerDlg::ConnectParts(ui::CEditControl& loopControl) {
    auto selected = [this] { return selected_; };
    auto attention = [this](int entry) { ShowAttention(entry); };
    keys_ = std::make_unique<ScrolledList>(*this, *keyList_, *keyBar_, [this]() -> std::optional<int32_t> {
        const MacroSet* set = ShownSet();
        return set ? int32_t(set->KeyCount()) : 0;
    });
    actions_ = std::make_unique<ScrolledList>(*this, *actionList_, *actionBar_, [this]() -> std::optional<int32_t> {
        if (!selected_) return std::nullopt;
        return int32_t(selected_->UsableActionCount());
    });
    loop_ = std::make_unique<LoopCountInput>(loopControl, selected, attention);
    recording_ = std::make_unique<RecordingControl>(RecordingControl::Window{
        *this, language_, *record_, *recordDelays_, *noticeText_, *actionList_, *actions_, selected,
        [this](bool all) { EnableControls(all); }, attention, [this] { (void)SaveLibrary(); }});
    editing_ = std::make_unique<ActionEditing>(ActionEditing::Window{
        *this, language_, *actionList_, *actions_, *recording_, selected, [this] { Synchronise(); }, attention});
}

void CMacroManagerDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    p.drawImage(Images().load(ui::pictures::kFrameMacroManager), client);
    const float s = Scale();
    p.drawRect(scaledRect(24, 53, 169, 324, s), platform::bgr(kListFrameColour));
    p.drawRect(scaledRect(189, 53, 334, 324, s), platform::bgr(kListFrameColour));
    DrawControls(p, client);
    // An insert chosen from the menu runs once the menu is gone from the screen.
    if (editing_ && editing_->InsertPending()) PostMessage(kMsgRunInsert);
}

// ---- Messages ----

intptr_t CMacroManagerDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    const bool clicked = lParam == ui::kCodeClicked;
    switch (msg) {
        case kClose: if (clicked) Close(); return 0;
        case kExport: if (clicked) Export(); return 0;
        case kImport: if (clicked) Import(); return 0;
        case kNewKey: if (clicked) NewKey(); return 0;
        case kDeleteKey: if (clicked) DeleteKey(); return 0;
        case kKeyList:
            if (clicked) SelectKey();
            if (lParam == ui::kCodeDoubleClick) RenameKey();
            if (lParam == ui::kCodeDeleteRequested) DeleteKey();
            return 0;
        case kRecord: if (clicked) recording_->Toggled(); return 0;
        case kActionList:
            if (clicked) actions_->UpdateBar();  // a row chosen with the keyboard is scrolled into view
            if (lParam == ui::kCodeDoubleClick) editing_->EditAction();
            if (lParam == ui::kCodeDeleteRequested) editing_->DeleteAction();
            return 0;
        case kEditAction: if (clicked) editing_->EditAction(); return 0;
        case kDeleteAction: if (clicked) editing_->DeleteAction(); return 0;
        case kKeyScroll: keys_->FollowBar(wParam, lParam); return 0;
        case kActionScroll: actions_->FollowBar(wParam, lParam); return 0;
        case kLoopWhileHeld: if (clicked) SetLoopType(kLoopTypeWhileHeld); return 0;
        case kLoopUntilAgain: if (clicked) SetLoopType(kLoopTypeUntilAgain); return 0;
        case kLoopCount: if (clicked) SetLoopType(kLoopTypeCount); return 0;
        case kMsgInsertButton: if (wParam == kInsertMenu && clicked) editing_->OpenInsertMenu(); return 0;
        case ui::kMsgActionInsertPopupDeactivated: editing_->InsertChosen(nullptr); return 0;
        case kMsgRunInsert: editing_->RunPendingInsert(); return 0;
        case kMsgKey: recording_->KeyTyped(wParam, lParam); return 0;
        case ui::kMsgClose:
            // The application is ending (or the desktop closes the window): a recording ends as
            // if stopped, and nothing is lost.
            if (Recording()) {
                record_->SetChecked(false);
                recording_->Stop();
            }
            unsavedCloseWarned_ = true;
            Close();
            return 0;
        default: return CDlgBase::OnMessage(msg, wParam, lParam);
    }
}

intptr_t CMacroManagerDlg::OnResult(uint32_t msg, uintptr_t, const ui::PopupResult& result) {
    if (msg == kMsgInsertChosen) editing_->InsertChosen(&result);
    return 0;
}

bool CMacroManagerDlg::OnKeyDown(uint32_t vk) {
    // Escape leaves the window as its close button does: the library is saved first, and a
    // recording keeps it open. Enter presses nothing here; on a focused control it has already
    // done that control's action.
    if (vk == platform::kVkEscape) Close();
    return vk == platform::kVkReturn || vk == platform::kVkEscape;
}

void CMacroManagerDlg::OnMouseMove(uint32_t flags, Point pt) {
    CDlgBase::OnMouseMove(flags, pt);
    if (actions_) actions_->PointerMoved(pt);
    if (keys_) keys_->PointerMoved(pt);
}

void CMacroManagerDlg::OnMouseWheel(uint32_t, int32_t delta, Point pt) {
    if (!keys_) return;
    if (!keys_->Wheel(delta, pt)) actions_->Wheel(delta, pt);
}

const Text& CMacroManagerDlg::CaptureNotice() const {
    static const Text kNone;
    return recording_ ? recording_->Notice() : kNone;
}

void CMacroManagerDlg::EnableControls(bool all) {
    for (int list = 0; list < kListCount; ++list)
        for (auto& c : ControlList(list))
            if (c && c->Id() != kCaptureNotice) c->SetDisabled(!all && c->Id() != kInsertMenu && c->Id() != kRecord);
    if (loop_->Field()) loop_->Field()->setEnabled(all);
    // The count field takes the keyboard back unless a key had put the focus elsewhere.
    if (all && loop_->Shown() && (!FocusedControl() || FocusedControl() == &loop_->Control())) loop_->Control().Focus();
    Invalidate();
}

void CMacroManagerDlg::ShowAttention(const Text& message) {
    dialogs::CAttentionDlg dlg(GetPlatform(), this, language_, message);
    (void)dlg.DoModal();
}

// ---- The macros of the set ----

MacroSet* CMacroManagerDlg::ShownSet() {
    return keyList_ && keyList_->SetIndex >= 0 ? library_.FindSet(uint32_t(keyList_->SetIndex)) : nullptr;
}

void CMacroManagerDlg::Synchronise() {
    MacroSet* set = ShownSet();
    MacroKey* key = set && keyList_->SelectedRow >= 0 ? set->FindKey(uint32_t(keyList_->SelectedRow)) : nullptr;
    if (key != selected_) {
        selected_ = key;
        actionList_->ShownKey = key;
        actionList_->SelectedRow = -1;
        actionList_->FirstRow = 0;
        InvalidateRect(actionList_->GetRect());
    }
    if (selected_) actions_->UpdateBar();
    keys_->UpdateBar();
    using ui::RadioGroupState;
    if (!selected_) {
        RadioGroupState::clearGroup(RadioGroupState::kLoopTypeGroup);
    } else if (selected_->LoopType == kLoopTypeWhileHeld || selected_->LoopType == kLoopTypeUntilAgain ||
               selected_->LoopType == kLoopTypeCount) {
        const uint32_t id = selected_->LoopType == kLoopTypeWhileHeld     ? kLoopWhileHeld
                            : selected_->LoopType == kLoopTypeUntilAgain ? kLoopUntilAgain
                                                                          : kLoopCount;
        RadioGroupState::select(*RadioGroupState::optionFor(id));
    } else {
        // A loop type the window has no option for (from a foreign file): none is shown chosen.
        RadioGroupState::clearGroup(RadioGroupState::kLoopTypeGroup);
    }
    for (uint32_t id : {kLoopWhileHeld, kLoopUntilAgain, kLoopCount})
        if (auto* c = FindControl(id)) InvalidateRect(c->GetRect());
}

void CMacroManagerDlg::SelectKey() {
    Synchronise();
    if (!selected_) {
        loop_->Show(false);
        return;
    }
    if (selected_->LoopType == kLoopTypeCount) {
        loop_->Fill();
        loop_->Show(true);
    } else if (selected_->LoopType == kLoopTypeWhileHeld || selected_->LoopType == kLoopTypeUntilAgain) {
        loop_->Show(false);
    }
}

void CMacroManagerDlg::NewKey() {
    MacroSet* set = ShownSet();
    if (!set) {
        ShowAttention(Text(kNoSetMessage));
        return;
    }
    CMacroKeyAddDlg dlg(GetPlatform(), this, language_, library_, uint32_t(keyList_->SetIndex));
    if (dlg.DoModal() != ui::kIdOk) return;
    keyList_->SelectedRow = int32_t(set->KeyCount()) - 1;
    // The new macro at the bottom of the list is the one in view.
    if (keyList_->SelectedRow >= keyList_->FirstRow + keyList_->VisibleRows) keyList_->ScrollToEnd();
    InvalidateRect(keyList_->GetRect());
    Synchronise();
    (void)SaveLibrary();
    loop_->Fill();
    loop_->Show(true);
    loop_->Control().Focus();
}

void CMacroManagerDlg::DeleteKey() {
    MacroSet* set = ShownSet();
    if (set && keyList_->SelectedRow >= 0 && uint32_t(keyList_->SelectedRow) < set->KeyCount()) {
        dialogs::CAttentionDlg ask(GetPlatform(), this, language_, language_.LanguageText(kTextConfirmDelete));
        if (ask.DoModal() == ui::kIdOk) {
            // The action list must not point at the macro while it goes.
            actionList_->ShownKey = nullptr;
            selected_ = nullptr;
            set->DeleteKey(uint32_t(keyList_->SelectedRow));
            keyList_->SelectedRow = -1;
            (void)SaveLibrary();
            loop_->Show(false);
        }
    } else {
        ShowAttention(kTextNothingToDelete);
    }
    InvalidateRect(keyList_->GetRect());
    Synchronise();
}

void CMacroManagerDlg::RenameKey() {
    if (!ShownSet() || keyList_->SelectedRow < 0) return;
    CMacroKeyRenameDlg dlg(GetPlatform(), this, language_, library_, uint32_t(keyList_->SetIndex),
                           uint32_t(keyList_->SelectedRow));
    if (dlg.DoModal() != ui::kIdOk) return;
    InvalidateRect(keyList_->GetRect());
    (void)SaveLibrary();
}

// ---- Loop type and count ----

void CMacroManagerDlg::SetLoopType(uint8_t type) {
    if (selected_) selected_->LoopType = type;
    Synchronise();
    if (type != kLoopTypeCount) {
        loop_->Show(false);
        return;
    }
    if (selected_) loop_->Fill();
    loop_->Show(true);
}

}  // namespace orvane::macro
