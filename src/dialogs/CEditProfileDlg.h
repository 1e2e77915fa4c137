#pragma once
// Renames a profile. OK gives the record the typed name and changes nothing else.
#include "dialogs/CProfileNameDlg.h"
#include "profile/Profile.h"

namespace orvane::dialogs {

class CEditProfileDlg : public CProfileNameDlg {
public:
    CEditProfileDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                    Profile& profile);

protected:
    void Accept(const Text& name) override { profile_.SetProfileName(name); }

private:
    Profile& profile_;
};

}  // namespace orvane::dialogs
