#include "cli/CliHost.h"

#include "profile/ProfileFile.h"
#include "profile/Storage.h"

namespace orvane::cli {

bool CliHost::keep(const Status& status) {
    if (!status && !fileError_) fileError_ = status.error();
    return status.ok();
}

bool CliHost::writeSettings() { return keep(SaveCurrentProfileIndex(app_)); }

bool CliHost::writeProfile(int index) {
    if (index < 0 || index >= kProfileCount) return false;
    return keep(WriteProfileFile(app_.profiles[size_t(index)], app_.settings.GetSlotPath(index)));
}

void CliHost::saveAll() {
    keep(SaveCurrentProfileIndex(app_));
    keep(SaveAllProfiles(app_));
}

}  // namespace orvane::cli
