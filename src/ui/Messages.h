#pragma once
// Every message number the windows exchange, named once: standard messages, what popup menus and
// dialogs send their owners, and each window's own messages. A message goes only to the window
// it is sent to, yet numbers here are unique across all windows, so that no handler can take one
// message for another; the compiler checks it (a new number goes into the list below). Control
// Ids (a control sends the message numbered by its Id) are each window's own and live in its
// header; none of them may equal a number of this list that the window hears.
// Also the dialog results and the codes controls send.
#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane::ui {

// First number free for a window's own messages.
inline constexpr uint32_t kMsgUser = 0x0400;

}  // namespace orvane::ui

// X(name, number)
#define ORVANE_MESSAGES(X) \
    /* Standard window messages. */ \
    X(kMsgClose, 0x0010)   /* asks a window to close (as the desktop does) */ \
    X(kMsgQuit, 0x0012)    /* ends the main loop (the last device left) */ \
    X(kMsgCommand, 0x0111) /* a menu command (wParam) */ \
    /* A popup asks its owner to forget it before closing (wParam and lParam 0). */ \
    X(kMsgPopupClosing, 1025) \
    /* Escape in a popup the pointer is not in (wParam context, lParam type). An owner that closed */ \
    /* just that menu, leaving the menu it came from, returns 1; otherwise the popup reports */ \
    /* losing activation. */ \
    X(kMsgPopupEscape, 1026) \
    /* Popup menus that lose activation send one of these (wParam context, lParam type). */ \
    X(kMsgComboPopupDeactivated, 1029) \
    X(kMsgDpiPopupDeactivated, 1042) \
    X(kMsgMultimediaPopupDeactivated, 1045) \
    X(kMsgMacroSetPopupDeactivated, 1050) \
    X(kMsgWindowsManagePopupDeactivated, 1159) \
    X(kMsgOfficePopupDeactivated, 1162) \
    X(kMsgProfileRKeyPopupDeactivated, 1165) \
    /* Also how the macro manager hears its insert menu went without a choice. */ \
    X(kMsgActionInsertPopupDeactivated, 1168) \
    /* What the assignment menu asks of its owner (wParam = the menu's context). */ \
    X(kMsgComboItemHovered, 1033)     /* lParam = item id */ \
    X(kMsgOpenShortcutDialog, 1035) \
    X(kMsgOpenDpiMenu, 1040)          /* lParam 6 */ \
    X(kMsgOpenMultimediaMenu, 1043)   /* lParam 11 */ \
    X(kMsgOpenMacroSetMenu, 1048)     /* lParam = macro set index + 1 */ \
    X(kMsgOpenWindowsManageMenu, 1157) /* lParam 13 */ \
    X(kMsgOpenOfficeMenu, 1160)       /* lParam 12 */ \
    X(kMsgOpenFireKeyDialog, 1062) \
    /* The main window's: one result per menu and dialog (the choice itself comes through */ \
    /* CDlgBase::OnResult), the button rows, the posted turns of the capture dialogs, tray, */ \
    /* activation. */ \
    X(kMsgMainMenuResult, 1027)        /* a choice in the assignment menu */ \
    X(kMsgComboRow, 1028)              /* from the button-row combos */ \
    X(kMsgRunShortcutDialog, 1034)     /* posted: the shortcut dialog's turn */ \
    X(kMsgShortcutResult, 1036) \
    X(kMsgDpiResult, 1041) \
    X(kMsgMultimediaResult, 1044) \
    X(kMsgMacroListResult, 1052) \
    X(kMsgTray, 1056)                  /* tray icon callback */ \
    X(kMsgRunFireKeyDialog, 1061)      /* posted: the fire key dialog's turn */ \
    X(kMsgFireKeyResult, 1063) \
    X(kMsgWindowsManageResult, 1158) \
    X(kMsgOfficeResult, 1161) \
    X(kMsgProfileMenuResult, 1164) \
    X(kMsgActivate, 2999)              /* a second start asks us to show ourselves */ \
    /* The macro manager's. */ \
    X(kMsgInsertButton, 1166)          /* from the insert combo (wParam its Id) */ \
    X(kMsgInsertChosen, 1167)          /* from the insert menu (its result) */ \
    X(kMsgKey, kMsgUser + 177)         /* a key typed while recording (wParam its code) */ \
    X(kMsgRunInsert, kMsgUser + 178)   /* carries out the pending insert */ \
    /* The fire key dialog's: a non-digit was typed into the count. */ \
    X(kMsgDigitsOnly, kMsgUser + 175)

namespace orvane::ui {

#define ORVANE_MESSAGE_NAME(name, number) inline constexpr uint32_t name = number;
ORVANE_MESSAGES(ORVANE_MESSAGE_NAME)
#undef ORVANE_MESSAGE_NAME

#define ORVANE_MESSAGE_ENTRY(name, number) name,
inline constexpr std::array kAllMessages{ORVANE_MESSAGES(ORVANE_MESSAGE_ENTRY)};
#undef ORVANE_MESSAGE_ENTRY

constexpr bool AllDistinct(const auto& numbers) {
    for (size_t i = 0; i < numbers.size(); ++i)
        for (size_t j = i + 1; j < numbers.size(); ++j)
            if (numbers[i] == numbers[j]) return false;
    return true;
}
static_assert(AllDistinct(kAllMessages), "two messages share a number");

// Dialog results.
inline constexpr intptr_t kIdOk = 1;
inline constexpr intptr_t kIdCancel = 2;

// A control sends the message numbered by its Id with one of these codes as lParam.
inline constexpr intptr_t kCodePressed = 1;
inline constexpr intptr_t kCodeClicked = 2;
inline constexpr intptr_t kCodeDragging = 3;  // wParam carries the value
inline constexpr intptr_t kCodeEntered = 4;
inline constexpr intptr_t kCodeLeft = 5;
inline constexpr intptr_t kCodeDoubleClick = 10;
inline constexpr intptr_t kCodeRightReleased = 11;
// The Delete key on a list's selected row: the owner deletes it as its Delete button would.
inline constexpr intptr_t kCodeDeleteRequested = 12;

}  // namespace orvane::ui
