#include "app/DesktopIntegration.h"

#include <string>

#include "app/MainIds.h"
#include "device/AccessAdvice.h"

namespace orvane {

Text FillNumber(const Text& format, int n) {
    Text out;
    bool filled = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size()) {
            if (format[i + 1] == u'%') {
                out += u'%';
                ++i;
                continue;
            }
            if (format[i + 1] == u'd' && !filled) {
                out += fromUtf8(std::to_string(n));
                filled = true;
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

Text desktop::AccessNotice(const LanguageTable& language, const std::string& what,
                           const std::vector<std::filesystem::path>& udevRuleFolders) {
    const AccessAdvice advice = AdviseOnDeniedAccess(what, udevRuleFolders);
    return language.LanguageText(advice.ruleInstalled ? kTextNotYetAccess : kTextNoAccess) + u"\n" +
           fromUtf8(advice.command);
}

Text DesktopIntegration::AutostartMenuText() const {
    return autostart_ ? language_.LanguageText(desktop::kTextAutostart) : Text();
}

void DesktopIntegration::OnTrayAdded() {
    if (tray_) tray_->setAutostartChecked(AutostartEnabled());
}

void DesktopIntegration::ToggleAutostart() {
    if (!autostart_) return;
    (void)autostart_->SetEnabled(!autostart_->Enabled());
    // The check mark shows what is on disk, whether or not the change could be made.
    OnTrayAdded();
}

void DesktopIntegration::OnBattery(bool online, int level, int chargeState) {
    Text tip = mainwnd::kTrayTip;
    tip += u'\n';
    if (online) {
        tip += FillNumber(language_.LanguageText(desktop::kTextTrayBattery), level);
        if (chargeState == 1) tip += u", " + language_.LanguageText(desktop::kTextTrayCharging);
    } else {
        tip += language_.LanguageText(desktop::kTextTrayOffline);
    }
    if (tip != tip_) {
        tip_ = std::move(tip);
        if (tray_) tray_->setToolTip(tip_);
    }
    const auto alert = alerts_.onReading(online, level, chargeState);
    if (!alert || !notifier_) return;
    const bool critical = *alert == BatteryAlerts::Alert::Critical;
    notifier_->notify(
        language_.LanguageText(critical ? desktop::kTextCriticalTitle : desktop::kTextLowTitle),
        FillNumber(language_.LanguageText(critical ? desktop::kTextCriticalBody : desktop::kTextLowBody),
                   level),
        critical ? platform::Urgency::Critical : platform::Urgency::Normal);
}

}  // namespace orvane
