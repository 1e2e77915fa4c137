#pragma once
// The main window's numbers: control Ids, the names of its messages, its timers, the tray's commands.
// Handlers and tests name these, never the bare numbers.
#include <cstdint>

#include "ui/Messages.h"

namespace orvane::mainwnd {

// Permanent controls (group 0).
inline constexpr uint32_t kExit = 2001;
inline constexpr uint32_t kMinimise = 2002;
inline constexpr uint32_t kFirstCombo = 2013;  // button rows 1-6: 2013-2018
inline constexpr uint32_t kReset = 2045;
inline constexpr uint32_t kFirstTab = 2049;  // profiles 0-4: 2049-2053
inline constexpr uint32_t kMacroManager = 2062;
inline constexpr uint32_t kAddProfile = 2071;
inline constexpr uint32_t kBatteryTitle = 3007;
inline constexpr uint32_t kButtonsTitle = 3008;
inline constexpr uint32_t kProfilesTitle = 3009;
inline constexpr uint32_t kVersion = 3021;
inline constexpr uint32_t kMousePicture = 3400;
inline constexpr uint32_t kBatteryText = 3405;
inline constexpr uint32_t kBatteryGauge = 3406;
inline constexpr uint32_t kUndeliveredNotice = 3420;  // the connection and what the mouse has not taken yet
inline constexpr uint32_t kVirtualMouseLabel = 3421;  // --simulate: "Virtual mouse" in the title bar

// DPI section (group 1), level i adds i.
inline constexpr uint32_t kDpiCheck = 3260;
inline constexpr uint32_t kDpiColour = 3270;
inline constexpr uint32_t kDpiLabel = 3290;
inline constexpr uint32_t kDpiGauge = 3300;

// Performance, power and pointer sections.
inline constexpr uint32_t kMouseSettings = 3330;
inline constexpr uint32_t kSleepValue = 3407;
inline constexpr uint32_t kSleepCaption = 3408;
inline constexpr uint32_t kLiftOff1 = 3510;
inline constexpr uint32_t kLiftOff2 = 3511;
inline constexpr uint32_t kLiftOffCaption1 = 3520;
inline constexpr uint32_t kLiftOffCaption2 = 3521;
inline constexpr uint32_t kDebounceSlider = 3530;
inline constexpr uint32_t kDebounceTrack = 3531;
inline constexpr uint32_t kDebounceValue = 3532;
inline constexpr uint32_t kSleepSlider = 3540;
inline constexpr uint32_t kSleepTrack = 3541;
inline constexpr uint32_t kPollingSlider = 3550;
inline constexpr uint32_t kPollingTrack = 3551;
inline constexpr uint32_t kPollingValue = 3552;

// Messages (numbered in ui/Messages.h).
using ui::kMsgActivate;
using ui::kMsgComboRow;
using ui::kMsgCommand;
using ui::kMsgDpiResult;
using ui::kMsgFireKeyResult;
using ui::kMsgMacroListResult;
using ui::kMsgMainMenuResult;
using ui::kMsgMultimediaResult;
using ui::kMsgOfficeResult;
using ui::kMsgProfileMenuResult;
using ui::kMsgQuit;
using ui::kMsgRunFireKeyDialog;
using ui::kMsgRunShortcutDialog;
using ui::kMsgShortcutResult;
using ui::kMsgTray;
using ui::kMsgWindowsManageResult;

// Tray.
inline constexpr uintptr_t kTrayIconId = 128;
inline constexpr intptr_t kTrayLeftUp = 0x0202;
inline constexpr intptr_t kTrayRightUp = 0x0205;
inline constexpr uintptr_t kCmdShow = 2075;
inline constexpr uintptr_t kCmdExit = 2076;

// Window timers (the device link keeps 30, 70, 80 and 110 on its own).
inline constexpr int kTimerLeftClickNotice = 20;
inline constexpr int kTimerHideWhileInactive = 40;
inline constexpr int kTimerProfileAction = 60;

// Language entries.
inline constexpr int kTextTrayShow = 1;
inline constexpr int kTextTrayExit = 2;
inline constexpr int kTextVersion = 3;
inline constexpr int kTextReset = 7;
inline constexpr int kTextMacroManager = 8;
inline constexpr int kTextButtonsTitle = 9;
inline constexpr int kTextProfilesTitle = 10;
inline constexpr int kTextBatteryTitle = 15;
inline constexpr int kTextLeftClick = 20;
inline constexpr int kTextImportTitle = 142;
inline constexpr int kTextExportTitle = 143;
inline constexpr int kTextAllProfilesShown = 145;
inline constexpr int kTextWriting = 146;
inline constexpr int kTextImportFailed = 148;
inline constexpr int kTextExportFailed = 149;
inline constexpr int kTextLeftClickNeeded = 151;
inline constexpr int kTextCannotRemoveCurrent = 152;
inline constexpr int kTextMouseSettings = 260;
inline constexpr int kTextSleepUnit = 266;
inline constexpr int kTextLiftOff1 = 270;
inline constexpr int kTextLiftOff2 = 271;
// Names read aloud for controls that show none (each "%d" is a number as the window counts).
inline constexpr int kTextReaderButtonRow = 400;
inline constexpr int kTextReaderDpiLevel = 401;
inline constexpr int kTextReaderDpiValue = 402;
inline constexpr int kTextReaderDpiColour = 403;
inline constexpr int kTextReaderDpiOn = 404;
inline constexpr int kTextReaderMinimise = 405;
inline constexpr int kTextReaderClose = 406;
inline constexpr int kTextReaderBattery = 407;
inline constexpr int kTextReaderAddProfile = 408;
inline constexpr int kTextReaderProfileMenu = 452;  // "Menu of profile %d"
inline constexpr int kTextReaderAssignmentMenu = 409;
inline constexpr int kTextReaderCharging = 410;

// The macro manager as the main window opens it.
inline constexpr int kMacroManagerStartMode = 1;

// Design size of the window.
inline constexpr int32_t kDesignWidth = 1127;
inline constexpr int32_t kDesignHeight = 740;

inline constexpr char16_t kTrayTip[] = u"Velmira Orvane";

}  // namespace orvane::mainwnd
