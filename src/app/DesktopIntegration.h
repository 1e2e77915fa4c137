#pragma once
// The window's place in the desktop beyond its own pixels: the tray icon's tooltip with the
// battery, a notification when the battery runs low, and starting with the session.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/Autostart.h"
#include "app/BatteryAlerts.h"
#include "base/Text.h"
#include "platform/Notifier.h"
#include "platform/TrayIcon.h"
#include "profile/LanguageTable.h"

namespace orvane {

namespace desktop {
inline constexpr int kTextAutostart = 300;
inline constexpr int kTextTrayBattery = 301;  // "Battery: %d%%"
inline constexpr int kTextTrayCharging = 302;
inline constexpr int kTextTrayOffline = 303;
inline constexpr int kTextLowTitle = 304;
inline constexpr int kTextLowBody = 305;  // with %d
inline constexpr int kTextCriticalTitle = 306;
inline constexpr int kTextCriticalBody = 307;  // with %d
inline constexpr int kTextNoAccess = 308;      // the udev rule is missing
inline constexpr int kTextNotYetAccess = 309;  // installed, not yet applied

// The attention text for a mouse this user may not open: what is wrong and the one command
// that fixes it, depending on whether udevRuleFolders hold our rule.
Text AccessNotice(const LanguageTable& language, const std::string& what,
                  const std::vector<std::filesystem::path>& udevRuleFolders);
}  // namespace desktop

class DesktopIntegration {
public:
    // Any of tray, notifier and autostart may be absent; what needs it then does nothing.
    DesktopIntegration(const LanguageTable& language, platform::TrayIcon* tray, platform::Notifier* notifier,
                       std::optional<Autostart> autostart)
        : language_(language), tray_(tray), notifier_(notifier), autostart_(std::move(autostart)) {}

    // The tray menu's item for starting with the session; empty when there is none.
    Text AutostartMenuText() const;
    // After the tray icon was added: the item's check mark from the entry on disk.
    void OnTrayAdded();
    void ToggleAutostart();
    bool AutostartEnabled() const { return autostart_ && autostart_->Enabled(); }

    // Every status reading: the tooltip follows it, and a low battery is announced.
    void OnBattery(bool online, int level, int chargeState);

private:
    const LanguageTable& language_;
    platform::TrayIcon* tray_;
    platform::Notifier* notifier_;
    std::optional<Autostart> autostart_;
    BatteryAlerts alerts_;
    Text tip_;
};

// The language text with its "%d" replaced by n and "%%" by "%". Texts come from a file, so they
// are never handed to printf.
Text FillNumber(const Text& format, int n);

}  // namespace orvane
