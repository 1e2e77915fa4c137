#pragma once
// The macro manager's numbers: control Ids, the names of its messages and the language entries it shows.
// Handlers and tests name these, never the bare numbers.
#include <cstdint>

#include "ui/Messages.h"

namespace orvane::macro::mgr {

// Controls.
inline constexpr uint32_t kClose = 2004;
inline constexpr uint32_t kExport = 2010;
inline constexpr uint32_t kImport = 2011;
inline constexpr uint32_t kNewKey = 2012;
inline constexpr uint32_t kDeleteKey = 2013;
inline constexpr uint32_t kKeyList = 2015;
inline constexpr uint32_t kRecordDelays = 2017;
inline constexpr uint32_t kRecord = 2018;
inline constexpr uint32_t kActionList = 2020;
inline constexpr uint32_t kKeyScroll = 2021;
inline constexpr uint32_t kActionScroll = 2022;
inline constexpr uint32_t kEditAction = 2023;
inline constexpr uint32_t kDeleteAction = 2024;
inline constexpr uint32_t kKeysCaption = 2025;
inline constexpr uint32_t kActionsCaption = 2026;
inline constexpr uint32_t kDelaysCaption = 2027;
inline constexpr uint32_t kLoopCaption1 = 2028;  // 2028-2030 beside the loop radios
inline constexpr uint32_t kLoopWhileHeld = 2031;   // loop type 1
inline constexpr uint32_t kLoopUntilAgain = 2032;  // loop type 4
inline constexpr uint32_t kLoopCount = 2033;       // loop type 2
inline constexpr uint32_t kLoopCountField = 2034;
inline constexpr uint32_t kInsertMenu = 2035;
inline constexpr uint32_t kCaptureNotice = 2036;  // what a recording can hear

// Messages (numbered in ui/Messages.h). The insert menu going without a choice arrives as
// ui::kMsgActionInsertPopupDeactivated.
using ui::kMsgInsertButton;
using ui::kMsgInsertChosen;
using ui::kMsgKey;  // a key typed while recording (wParam its code, lParam the recorded key)
using ui::kMsgRunInsert;

// Loop types of a macro.
inline constexpr uint8_t kLoopTypeWhileHeld = 1;
inline constexpr uint8_t kLoopTypeCount = 2;
inline constexpr uint8_t kLoopTypeUntilAgain = 4;

// What the insert menu yields.
inline constexpr int kInsertLeft = 0;
inline constexpr int kInsertRight = 1;
inline constexpr int kInsertMiddle = 2;
inline constexpr int kInsertDelay = 3;
inline constexpr int kInsertKey = 4;

// Language entries.
inline constexpr int kTextKeys = 191;
inline constexpr int kTextActions = 192;
inline constexpr int kTextRecordDelays = 193;
inline constexpr int kTextLoopWhileHeld = 194;
inline constexpr int kTextLoopUntilAgain = 195;
inline constexpr int kTextLoopCount = 196;
inline constexpr int kTextInsert = 197;
inline constexpr int kTextRecord = 198;
inline constexpr int kTextStop = 199;
inline constexpr int kTextNew = 200;
inline constexpr int kTextEdit = 201;
inline constexpr int kTextDelete = 202;
inline constexpr int kTextExport = 203;
inline constexpr int kTextImport = 204;
inline constexpr int kTextNotDigit = 175;
inline constexpr int kTextExportTitle = 230;
inline constexpr int kTextImportTitle = 231;
inline constexpr int kTextConfirmDelete = 232;
inline constexpr int kTextNothingToDelete = 233;
inline constexpr int kTextRecordWithoutKey = 234;
inline constexpr int kTextRecordingFull = 235;
inline constexpr int kTextInsertWithoutKey = 236;
inline constexpr int kTextInsertFull = 237;
inline constexpr int kTextHearsEverything = 321;
inline constexpr int kTextHearsOwnWindows = 322;
inline constexpr int kTextKeyboardElsewhere = 323;
inline constexpr int kTextHearsNothing = 324;
inline constexpr int kTextImportFailed = 325;
inline constexpr int kTextSaveFailed = 326;
inline constexpr int kTextExportFailed = 327;
// What readers say for the action list's icons, each with "%s" for the row's text.
inline constexpr int kTextReaderPress = 432;
inline constexpr int kTextReaderRelease = 433;
inline constexpr int kTextReaderDelay = 434;

// No language file has an entry for this message, so every language shows it as it is.
inline constexpr char16_t kNoSetMessage[] = u"在创建宏之前请先选择一个宏集合!";

// Design size of the window.
inline constexpr int32_t kDesignWidth = 528;
inline constexpr int32_t kDesignHeight = 365;

}  // namespace orvane::macro::mgr
