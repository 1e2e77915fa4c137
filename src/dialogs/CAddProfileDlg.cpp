#include "dialogs/CAddProfileDlg.h"

namespace orvane::dialogs {

CAddProfileDlg::CAddProfileDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                               Profile& profile, Settings& settings, uint16_t sensorId)
    : CProfileNameDlg(platform, parent, language, Layout{141, {10, 5, 420, 23}, {15, 65, 415, 87}, Text{}}),
      profile_(profile),
      settings_(settings),
      sensorId_(sensorId) {}

void CAddProfileDlg::Accept(const Text& name) {
    settings_.SetProfileShowCount(settings_.GetProfileShowCount() + 1);
    // A new profile starts from the first profile's defaults, with the name it was given.
    ResetProfileToDefaults(profile_, 0, language_, sensorId_);
    profile_.SetProfileName(name);
}

}  // namespace orvane::dialogs
