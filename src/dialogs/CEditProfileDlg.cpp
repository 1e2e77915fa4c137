#include "dialogs/CEditProfileDlg.h"

namespace orvane::dialogs {

CEditProfileDlg::CEditProfileDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                                 Profile& profile)
    : CProfileNameDlg(platform, parent, language,
                      Layout{144, {10, 5, 220, 23}, {11, 40, 306, 62}, profile.GetProfileName()}),
      profile_(profile) {}

}  // namespace orvane::dialogs
