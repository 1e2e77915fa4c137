#include "cli/CliHost.h"

#include "profile/ProfileFile.h"
#include "profile/Storage.h"

namespace orvane::cli {

bool CliHost::keep(const std::string& path, const Status& status) {
    writes_.push_back(FileWrite{path, status.ok(), status.ok() ? std::string() : status.error().message()});
    return status.ok();
}

bool CliHost::writeSettings() { return keep(app_.Config("config.ini").string(), SaveCurrentProfileIndex(app_)); }

bool CliHost::writeProfile(int index) {
    if (index < 0 || index >= kProfileCount) return false;
    return keep(app_.settings.GetSlotPath(index).string(), SaveProfile(app_, index));
}

void CliHost::saveAll() {
    (void)writeSettings();
    for (int i = 0; i < kProfileCount; ++i) (void)writeProfile(i);
}

}  // namespace orvane::cli
