#pragma once
// Names a new profile. OK turns the given record into a new profile (its defaults, the typed
// name) and counts it into the shown profiles; the caller saves and shows it.
#include "dialogs/CProfileNameDlg.h"
#include "profile/Profile.h"
#include "profile/Settings.h"

namespace orvane::dialogs {

class CAddProfileDlg : public CProfileNameDlg {
public:
    CAddProfileDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language, Profile& profile,
                   Settings& settings, uint16_t sensorId);

protected:
    void Accept(const Text& name) override;

private:
    Profile& profile_;
    Settings& settings_;
    uint16_t sensorId_;
};

}  // namespace orvane::dialogs
