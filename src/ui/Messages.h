#pragma once
// Numbers shared by the toolkit's windows: standard messages, control notification codes and
// the messages popup menus send to their owners.
#include <cstdint>

namespace orvane::ui {

// Standard window messages.
inline constexpr uint32_t kMsgClose = 0x0010;  // asks a window to close (as the desktop does)
// First number free for a window's own messages.
inline constexpr uint32_t kMsgUser = 0x0400;

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

// A popup asks its owner to forget it before closing.
inline constexpr uint32_t kMsgPopupClosing = 1025;
// Escape in a popup the pointer is not in (wParam context, lParam type). An owner that closed
// just that menu, leaving the menu it came from, returns 1; otherwise the popup reports losing
// activation.
inline constexpr uint32_t kMsgPopupEscape = 1026;

// Popup menus that lose activation send one of these (wParam context, lParam type).
inline constexpr uint32_t kMsgComboPopupDeactivated = 1029;
inline constexpr uint32_t kMsgDpiPopupDeactivated = 1042;
inline constexpr uint32_t kMsgMultimediaPopupDeactivated = 1045;
inline constexpr uint32_t kMsgMacroSetPopupDeactivated = 1050;
inline constexpr uint32_t kMsgWindowsManagePopupDeactivated = 1159;
inline constexpr uint32_t kMsgOfficePopupDeactivated = 1162;
inline constexpr uint32_t kMsgProfileRKeyPopupDeactivated = 1165;
inline constexpr uint32_t kMsgActionInsertPopupDeactivated = 1168;

}  // namespace orvane::ui
