#pragma once
// Appends a new macro with the typed name to the end of a macro set (no actions, repeated once).
#include "macro/CMacroKeyNameDlg.h"

namespace orvane::macro {

class CMacroKeyAddDlg : public CMacroKeyNameDlg {
public:
    static constexpr int kTextTitle = 239;
    CMacroKeyAddDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                    MacroLibrary& library, uint32_t setIndex);

protected:
    void Apply(MacroSet& set, const Text& name) override { set.AddKey(name); }
};

}  // namespace orvane::macro
