#include "app/WindowPresence.h"

#include "app/DesktopIntegration.h"
#include "device/Connection.h"
#include "device/DeviceLink.h"

namespace orvane::presence {

Text DescribeConnection(const LanguageTable& language, const Connection& connection, bool mouseOnline,
                        const std::vector<std::filesystem::path>& udevRuleFolders) {
    if (mouseOnline) return {};
    for (DeviceRole r : kDeviceRoles) {
        const auto& e = connection.openError(r);
        if (connection.present(r) && e && e->isPermission()) return desktop::AccessNotice(language, e->context, udevRuleFolders);
    }
    if (!connection.anyPresent()) return language.LanguageText(ConnectionNotices::kNoDevice);
    return language.LanguageText(ConnectionNotices::kMouseAsleep);
}

}  // namespace orvane::presence
