// The main window as the device link's host: showing and hiding itself, the progress and notice
// windows, the battery panel, a new sensor, the files, and what each pass did not deliver (the
// rest of the class is in CTevrinDlg.cpp).
#include <algorithm>
#include <string>

#include "app/CTevrinDlg.h"
#include "app/DpiLevels.h"
#include "app/MainIds.h"
#include "dialogs/CAttentionDlg.h"
#include "dialogs/CFirmwareResetDlg.h"
#include "dialogs/CProgressBarDlg.h"
#include "dialogs/PopupWindowTable.h"
#include "ui/CBattery.h"
#include "ui/CCheckButton.h"
#include "ui/CNoticeStrip.h"
#include "ui/CStaticText.h"

namespace orvane {

using namespace mainwnd;

void CTevrinDlg::showWindow() {
    if (!GetWindow()) return;
    GetWindow()->show();
    GetWindow()->activate();
    UpdateNoticeStrip();
    WatchForAbsence();
    link_->watchdog().batteryInSight();
}

void CTevrinDlg::dpiLevelChangedByMouse(int level) {
    // A level beyond the four the window shows (a report of level byte 0 is one) names no column.
    if (!DpiIndicatorEnabled(app_.settings) || level < 0 || level > 3) return;
    const Profile& p = app_.Current();
    // The window numbers the levels by their column, not among the enabled ones.
    const int column = dpiLevelPosition(level, p.DPIOffOnFlagValue);
    indicator_.Announce({column + 1, link_->dpiTables().dpiValue(p.XYSetting[size_t(column)]),
                         p.DPILevelIndication[size_t(column)]});
}

void CTevrinDlg::hideWindow() {
    UpdateNoticeStrip();
    Conceal(presence_.WhenMouseAway(TrayShown()));
}

// Modeless: the window answers clicks while a long write runs, and a change made meanwhile goes
// out with the next pass. The bar follows the write and fills once it is over.
void CTevrinDlg::showProgress() {
    if (Progress()) {
        // Writes that follow each other share the dialog; its bar waits for the new one.
        progress_->SetLimit(progress_->Progress());
        return;
    }
    progress_ = std::make_unique<dialogs::CProgressBarDlg>(GetPlatform(), this,
                                                           Language().LanguageText(kTextWriting));
    progress_->SetLimit(0);
    if (!progress_->Create()) progress_.reset();
}

void CTevrinDlg::progressMade(int percent) {
    if (auto* dlg = Progress()) dlg->SetLimit(std::max(dlg->Progress(), percent));
}

dialogs::CProgressBarDlg* CTevrinDlg::Progress() const {
    return progress_ && progress_->GetWindow() ? progress_.get() : nullptr;
}

void CTevrinDlg::showConnectionNotice(int languageEntry) {
    showNotice(Language().LanguageText(languageEntry));
}

void CTevrinDlg::showNotice(const Text& message) {
    auto notice = std::make_unique<dialogs::CAttentionDlg>(GetPlatform(), this, app_.language, message);
    if (!notice->Create()) return;
    if (notice->GetWindow()) notice->GetWindow()->setTopmost(true);
    notices_.push_back(std::move(notice));
}

void CTevrinDlg::showAccessProblem(const std::string& what) {
    showNotice(desktop::AccessNotice(Language(), what, services_.udevRuleFolders));
}

void CTevrinDlg::updateBattery(const BatteryView& view) {
    desktop_.OnBattery(link_->presence().mouseOnline(), link_->battery().level(),
                       link_->battery().chargeState());
    UpdateNoticeStrip();
    if (auto* gauge = FindControlAs<ui::CBattery>(kBatteryGauge)) {
        gauge->Phase = view.phase;
        gauge->Level = uint8_t(view.level);
        gauge->Mode = view.chargeState;
        gauge->SetValueText(view.chargeState == ui::CBattery::kCharging ? Language().LanguageText(kTextReaderCharging)
                                                                        : Text{});
        InvalidateRect(gauge->GetRect());
    }
    if (auto* text = FindControlAs<ui::CStaticText>(kBatteryText)) {
        text->SetLabel(view.text);
        text->SetVisible(view.textVisible);
        InvalidateRect(text->GetRect());
    }
}

bool CTevrinDlg::batteryShown() const {
    const platform::Window* w = GetWindow();
    return w && w->isVisible() && !w->isMinimized();
}

void CTevrinDlg::sensorChanged(bool sensorPageFlag, int dpiStepCount) {
    column_.liftOffShown = sensorPageFlag;
    if (auto* header = FindControl(sectionInfo(Section::LiftOff).headerId)) header->SetActive(sensorPageFlag);
    if (!sensorPageFlag && column_.open[size_t(Section::LiftOff)]) {
        // Its header is gone: an open lift-off section would leave its radios without a header.
        column_.open[size_t(Section::LiftOff)] = false;
        if (auto* h = FindControlAs<ui::CCheckButton>(sectionInfo(Section::LiftOff).headerId)) h->SetChecked(false);
        ApplySectionVisibility();
    }
    dpi_.SetStepCount(dpiStepCount);
    PlaceControls();
    Invalidate();
}

bool CTevrinDlg::confirmFactoryReset() {
    dialogs::CFirmwareResetDlg dlg(GetPlatform(), this, app_.language);
    return dlg.DoModal() == ui::kIdOk;
}

void CTevrinDlg::lastDeviceRemoved() {
    UpdateNoticeStrip();
    // A window the user opened stays, saying that the mouse is gone; one that showed itself for
    // the mouse leaves with it.
    if (!presence_.QuitsWhenLastDeviceLeaves()) return;
    hideWindow();
    dialogs::PopupWindowTable::instance().closeAll();
    PostMessage(kMsgQuit);
}

// With the index the window shows: a tab switch is not saved on its own, so any later write of the
// settings would otherwise store a stale CurrentProfile.
bool CTevrinDlg::writeSettings() { return files_.WriteSettings(); }

bool CTevrinDlg::writeProfile(int index) { return files_.WriteProfile(index); }

void CTevrinDlg::saveAll() { files_.SaveAll(); }

void CTevrinDlg::passFinished(const PassReport& report) {
    std::set<SyncGroup> processed;
    if (report.kind == PassKind::Sync && report.blocked == PassBlock::None) {
        // A group marked again while the pass was sending is the next pass's to go through.
        for (SyncGroup g : marked_)
            if (!link_->dirty(g)) processed.insert(g);
        for (SyncGroup g : processed) marked_.erase(g);
    }
    undelivered_.Take(report, processed);
    UpdateNoticeStrip();
}

void CTevrinDlg::UpdateNoticeStrip() {
    auto* notice = FindControlAs<ui::CNoticeStrip>(kUndeliveredNotice);
    if (!notice) return;
    Text message = presence::DescribeConnection(Language(), link_->connection(),
                                                link_->presence().active() && link_->presence().mouseOnline(),
                                                services_.udevRuleFolders);
    const Text undelivered = undelivered_.Describe(Language());
    if (!message.empty() && !undelivered.empty()) message += u"\n";
    notice->SetMessage(message + undelivered);
}

}  // namespace orvane
