#include "profile/AppData.h"

namespace orvane {

void AppData::ResetProfileToDefaults(int i) {
    if (i < 0 || i >= kProfileCount) return;
    orvane::ResetProfileToDefaults(profiles[size_t(i)], i, language, SensorId);
}

}  // namespace orvane
