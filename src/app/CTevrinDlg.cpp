#include "app/CTevrinDlg.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/MacroManagerLauncher.h"
#include "app/MainIds.h"
#include "dialogs/CAttentionDlg.h"
#include "dialogs/CProgressBarDlg.h"
#include "dialogs/PopupWindowTable.h"
#include "profile/ConfigFolderLoad.h"
#include "profile/LanguageFile.h"
#include "profile/ProfileFile.h"
#include "profile/Storage.h"
#include "ui/CCheckButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CStaticText.h"
#include "ui/Resources.h"
#include "ui/UiFont.h"

namespace orvane {

using namespace mainwnd;
using platform::Image;
using platform::Painter;
using platform::Point;
using platform::Rect;
using platform::Size;

CTevrinDlg::CTevrinDlg(platform::Platform& platform, AppData& app, Services services)
    : CDlgBase(platform),
      app_(app),
      services_(std::move(services)),
      link_(std::make_unique<DeviceLink>(app_, platform.loop(), *this, services_.transport)),
      desktop_(app_.language, services_.tray.get(), services_.notifier.get(), std::move(services_.autostart)),
      languageMenu_(app_, platform.loop(), [this](const Text& message) { showNotice(message); }),
      files_(app_, platform.loop(), [this](const SharedConfig::Merged& m) { OnFilesMerged(m); },
             ConfigSync::WarnOnStandardError, {}, services_.watchFolder),
      dpi_(*this, app_, link_->dpiTables(), *this),
      performance_(*this, app_.language, column_, *this),
      buttons_(*this, app_, *this),
      following_(platform.loop(), app_, [this](int profile) { profiles_.SwitchTo(profile); },
                 services_.focusWatcher.get()),
      profiles_(*this, app_, *this, buttons_, following_),
      indicator_(platform, app_.language, services_.notifier.get()),
      presence_(services_.start) {
    column_.open[size_t(Section::Dpi)] = true;
    column_.open[size_t(Section::Polling)] = true;
}

CTevrinDlg::~CTevrinDlg() { Shutdown(); }

// ---- Window life ----

bool CTevrinDlg::OnInitDialog() {
    const float s = Scale();
    // Files first: the controls take their texts, font and DPI steps from them.
    files_.Load([this, s] {
        for (const std::string& problem : LoadConfigFolder(app_, s))
            std::fprintf(stderr, "orvane: warning: %s\n", problem.c_str());
    });
    ui::SetUiFontChoice(platform::FontChoice{app_.font.face, app_.font.height, app_.font.charset});
    link_->rebuildDpiTables();

    SetWindowSize(int32_t(float(kDesignWidth) * s), int32_t(float(kDesignHeight) * s));
    if (!CDlgBase::OnInitDialog()) return false;
    // Centred on the screen, or at its edge when the screen is smaller than the window.
    const Size screen = GetPlatform().screen().fullScreen;
    const Size size = WindowSize();
    const int32_t left = screen.width > size.width ? int32_t(float(screen.width - size.width) * 0.5f) : 0;
    const int32_t top = screen.height > size.height ? int32_t(float(screen.height - size.height) * 0.5f) : 0;
    GetWindow()->move({left, top});
    GetWindow()->setTopmost(false);

    dialogs::PopupWindowTable::instance().clear();
    dpi_.SetCurrentLevel(2);
    sliderDragged_ = false;
    AddTrayIcon();
    ApplyStartHidden();
    refreshPages();
    // The window is painted before the link starts talking to the mouse (where the window
    // system has shown it already; otherwise at its first expose, which no traffic holds up:
    // the link never waits for the mouse on this thread).
    if (GetWindow() && GetWindow()->isVisible() && !GetWindow()->isMinimized()) UpdateWindow();
    link_->start();
    following_.Start(FollowProgramsEnabled(app_.settings));
    WatchForAbsence();
    return true;
}

void CTevrinDlg::WatchForAbsence() {
    if (watchingForAbsence_ || presence_.Asked()) return;
    watchingForAbsence_ = true;
    SetTimer(kTimerHideWhileInactive, 100);
}

void CTevrinDlg::ApplyStartHidden() {
    // Started with the session, the window waits minimised (then hidden) for the mouse.
    if (presence_.StartsMinimised(app_.settings.GetNeedPassword()) && GetWindow()) {
        GetWindow()->minimize();
        Images().dropPrefetch();  // the first paint may be hours away
    }
}

void CTevrinDlg::Conceal(WindowPresence::Conceal how) {
    platform::Window* w = GetWindow();
    if (!w) return;
    if (how == WindowPresence::Conceal::Hide) {
        if (w->isVisible()) w->hide();
    } else if (how == WindowPresence::Conceal::Minimise) {
        if (!w->isMinimized()) w->minimize();
    }
}

void CTevrinDlg::Quit() {
    quit_ = true;
    EndDialog(ui::kIdCancel);
}

void CTevrinDlg::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    // The link writes a save still pending, so a change made just before exit is kept, then
    // closes the device handles.
    // No profile switch may start while the last save is written.
    following_.Stop();
    link_->shutdown();
    // A save that found another program writing is still kept: it waits for the folder now.
    files_.Flush(kFinalSaveWaitMs);
    if (services_.tray) services_.tray->remove();
    notices_.clear();
}

void CTevrinDlg::ShowAsOnline() {
    if (!link_->presence().mouseOnline()) return;
    BatteryView view;
    view.phase = 100;
    view.level = link_->battery().level();
    view.chargeState = link_->battery().chargeState();
    view.textVisible = view.chargeState != 1;
    view.text = fromUtf8(std::to_string(view.level)) + u"%";
    updateBattery(view);
    refreshPages();
}

// ---- Change pipeline ----

void CTevrinDlg::MarkDirty(SyncGroup group) {
    marked_.insert(group);
    link_->markDirty(group);
}
void CTevrinDlg::ArmSync() { link_->armSync(); }
void CTevrinDlg::SyncNow() { link_->syncNow(); }

void CTevrinDlg::SendCurrentProfile() {
    MarkDirty(SyncGroup::Buttons);
    MarkDirty(SyncGroup::Performance);
    MarkDirty(SyncGroup::Power);
    ArmSync();
}

void CTevrinDlg::refreshPages() {
    app_.currentProfile = app_.CurrentIndex();
    profiles_.Refresh();
    Profile& profile = app_.Current();
    buttons_.Refresh(profile);
    dpi_.Refresh(profile);
    performance_.Refresh(profile);
    Invalidate();
}

void CTevrinDlg::CollectPageSettings(uint32_t changedControl) {
    Profile& profile = app_.Current();
    if (dpi_.Handles(changedControl))
        dpi_.Collect(profile);
    else
        performance_.Collect(profile, changedControl);
}

// ---- Sections ----

Rect CTevrinDlg::HeaderRect(Section s) const {
    const int32_t top = headerTop(s, column_.open, column_.liftOffShown);
    return Scaled(kColumnLeft, top, kColumnLeft + kColumnWidth, top + kHeaderHeight);
}

Point CTevrinDlg::ContentOrigin(Section s) const {
    return {kColumnLeft, column_.ContentTop(s)};
}

void CTevrinDlg::ApplySectionVisibility() {
    for (int i = 0; i < kSectionCount; ++i)
        for (auto& c : ControlList(kSections[size_t(i)].group))
            if (c) c->SetVisible(column_.open[size_t(i)]);
}

void CTevrinDlg::ToggleSection(uint32_t headerId) {
    const int section = sectionForHeader(headerId);
    if (section < 0) return;
    for (int i = 0; i < kSectionCount; ++i)
        if (auto* h = FindControlAs<ui::CCheckButton>(kSections[size_t(i)].headerId))
            column_.open[size_t(i)] = h->Checked();
    column_.open = afterHeaderToggled(Section(section), column_.open);
    for (int i = 0; i < kSectionCount; ++i)
        if (auto* h = FindControlAs<ui::CCheckButton>(kSections[size_t(i)].headerId))
            h->SetChecked(column_.open[size_t(i)]);
    ApplySectionVisibility();
    // Placed now as well as at the next paint, so the pointer finds the controls where they
    // are about to be drawn.
    PlaceControls();
    refreshPages();
}

// ---- Messages ----

intptr_t CTevrinDlg::OnResult(uint32_t msg, uintptr_t wParam, const ui::PopupResult& result) {
    if (msg == kMsgProfileMenuResult)
        profiles_.MenuChosen(uint32_t(wParam), result);
    else if (buttons_.Handles(msg))
        buttons_.OnResult(msg, wParam, result);
    return 0;
}

intptr_t CTevrinDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (sectionForHeader(msg) >= 0) {
        if (lParam == ui::kCodeClicked) ToggleSection(msg);
        return 0;
    }
    if (dpi_.Handles(msg)) {
        dpi_.OnMessage(msg, wParam, lParam);
        return 0;
    }
    if (performance_.Handles(msg)) {
        performance_.OnMessage(msg, wParam, lParam);
        return 0;
    }
    if (msg == ui::kMsgPopupEscape) return buttons_.OnEscape(int(lParam)) ? 1 : 0;
    if (buttons_.Handles(msg)) {
        buttons_.OnMessage(msg, wParam, lParam);
        return 0;
    }
    if (profiles_.Handles(msg)) {
        profiles_.OnMessage(msg, wParam, lParam);
        return 0;
    }
    switch (msg) {
        case kExit:
            if (lParam == ui::kCodeClicked) {
                dialogs::PopupWindowTable::instance().closeAll();
                Quit();
            }
            return 0;
        case kMinimise:
            if (lParam != ui::kCodeClicked) return 0;
            Conceal(WindowPresence::OnMinimiseControl(TrayShown()));
            // Said once: the desktop has no tray to keep the program in.
            if (!TrayShown() && presence_.TakeNoTrayExplanation())
                showNotice(Language().LanguageText(presence::kTextNoTray));
            return 0;
        case kReset:
            // False only when the user declined the reset: nothing to tell.
            if (lParam == ui::kCodeClicked) (void)link_->factoryReset();
            return 0;
        case kMsgTray:
            if (wParam != kTrayIconId) return 1;
            if (lParam == kTrayLeftUp) ShowOrPoll();
            return 0;
        case kMsgCommand:
            if (wParam == kCmdShow) ShowOrPoll();
            if (wParam == kCmdExit) {
                dialogs::PopupWindowTable::instance().closeAll();
                Quit();
            }
            return 0;
        case kMsgActivate:
            ShowOrPoll();
            return 0;
        case kMsgQuit:
            Quit();
            return 0;
        case ui::kMsgClose:
            Quit();
            return 0;
        default:
            break;
    }
    return 0;
}

void CTevrinDlg::OnTimer(int id) {
    if (id == kTimerHideWhileInactive) {
        // A window the user asked for stays, and a hidden one has nothing left to hide: the
        // check sleeps until the window is painted again.
        if (presence_.Asked() || !GetWindow() || !GetWindow()->isVisible()) {
            KillTimer(kTimerHideWhileInactive);
            watchingForAbsence_ = false;
            return;
        }
        if (!link_->presence().active()) Conceal(presence_.WhenMouseAway(TrayShown()));
    } else if (id == kTimerLeftClickNotice) {
        KillTimer(kTimerLeftClickNotice);
        ShowAttention(Language().LanguageText(kTextLeftClickNeeded));
    } else if (id == kTimerProfileAction) {
        profiles_.OnActionTimer();
    }
}

bool CTevrinDlg::OnKeyDown(uint32_t vk) {
    // Neither key may close or otherwise touch the main window.
    if (vk == platform::kVkReturn || vk == platform::kVkEscape) return true;
    if (keys_.feed(vk)) ShowAttention(SupportNotice());
    return false;
}

void CTevrinDlg::OnMouseMove(uint32_t flags, Point pt) {
    CDlgBase::OnMouseMove(flags, pt);
    if (flags & platform::kButtonLeft) {
        performance_.DragTo(pt);
        return;
    }
    // A drag that ended outside its slider reported no release: its pass starts here.
    if (sliderDragged_ && (link_->dirty(SyncGroup::Performance) || link_->dirty(SyncGroup::Pointer))) {
        sliderDragged_ = false;
        MarkDirty(SyncGroup::Power);
        ArmSync();
    }
}

void CTevrinDlg::OpenMacroManager(int startMode) {
    if (services_.macroManager)
        services_.macroManager();
    else
        RunMacroManager(*this, app_, files_, startMode, macroKeyRemembered_);
}

intptr_t CTevrinDlg::ShowAttention(const Text& message) {
    dialogs::CAttentionDlg dlg(GetPlatform(), this, app_.language, message);
    return dlg.DoModal();
}

// ---- Tray and showing ----

void CTevrinDlg::AddTrayIcon() {
    if (!services_.tray) return;
    const Image icon = ui::LoadResourceImage(Images(), ui::kResourceAppIcon);
    platform::TrayChoices languages = languageMenu_.Menu();
    languages.chosen = [this](int item) { languageMenu_.Choose(item, services_.tray.get()); };
    services_.tray->add(icon, kTrayTip,
                        {Language().LanguageText(kTextTrayShow), Language().LanguageText(kTextTrayExit),
                         desktop_.AutostartMenuText(), std::move(languages),
                         Language().LanguageText(indicator::kTextToggle),
                         services_.focusWatcher ? Language().LanguageText(kTextFollowPrograms) : Text()},
                        [this](platform::TrayEvent e) { OnTray(e); });
    desktop_.OnTrayAdded();
    services_.tray->setDpiIndicatorChecked(DpiIndicatorEnabled(app_.settings));
    services_.tray->setFollowProgramsChecked(FollowProgramsEnabled(app_.settings));
}

void CTevrinDlg::OnTray(platform::TrayEvent event) {
    switch (event) {
        case platform::TrayEvent::LeftClick: SendMessage(kMsgTray, kTrayIconId, kTrayLeftUp); break;
        case platform::TrayEvent::MenuShow: SendMessage(kMsgCommand, kCmdShow, 0); break;
        case platform::TrayEvent::MenuExit: SendMessage(kMsgCommand, kCmdExit, 0); break;
        case platform::TrayEvent::MenuAutostart: desktop_.ToggleAutostart(); break;
        case platform::TrayEvent::MenuDpiIndicator: ToggleDpiIndicator(); break;
        case platform::TrayEvent::MenuFollowPrograms: ToggleFollowPrograms(); break;
    }
}

void CTevrinDlg::ToggleDpiIndicator() {
    const bool on = !DpiIndicatorEnabled(app_.settings);
    (void)SetDpiIndicatorEnabled(app_.settings, on);
    (void)files_.WriteSettings();  // kept and retried when the folder is busy; a failure is logged
    if (!on) indicator_.Hide();
    if (services_.tray) services_.tray->setDpiIndicatorChecked(on);
}

void CTevrinDlg::ToggleFollowPrograms() {
    const bool on = !FollowProgramsEnabled(app_.settings);
    (void)SetFollowProgramsEnabled(app_.settings, on);
    (void)files_.WriteSettings();  // kept and retried when the folder is busy; a failure is logged
    following_.SetEnabled(on);
    if (services_.tray) services_.tray->setFollowProgramsChecked(on);
}

// The tray and a second start: the user asked for the window, with or without the mouse.
void CTevrinDlg::ShowOrPoll() {
    presence_.UserAsked();
    showWindow();
    if (!link_->presence().active() || !link_->presence().mouseOnline()) link_->requestStatus();
}

void CTevrinDlg::OnFilesMerged(const SharedConfig::Merged& merged) {
    if (merged.sensor) {
        link_->rebuildDpiTables();
        sensorChanged(link_->dpiTables().sensorPageFlag(), link_->dpiTables().stepCount());
    }
    refreshPages();
    if (services_.tray) {
        services_.tray->setDpiIndicatorChecked(DpiIndicatorEnabled(app_.settings));
        services_.tray->setFollowProgramsChecked(FollowProgramsEnabled(app_.settings));
    }
    following_.SetEnabled(FollowProgramsEnabled(app_.settings));
    // Turned off elsewhere (orvanectl dpi-indicator off): gone at once, as from the tray.
    if (!DpiIndicatorEnabled(app_.settings)) indicator_.Hide();
    // What another program saved may not be what the mouse holds: send what differs.
    SendCurrentProfile();
}

}  // namespace orvane
