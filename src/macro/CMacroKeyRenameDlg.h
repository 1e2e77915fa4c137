#pragma once
// Gives a macro of a set a new name; its actions and loop settings stay. It may keep its own name.
#include "macro/CMacroKeyNameDlg.h"

namespace orvane::macro {

class CMacroKeyRenameDlg : public CMacroKeyNameDlg {
public:
    static constexpr int kTextTitle = 238;
    CMacroKeyRenameDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                       MacroLibrary& library, uint32_t setIndex, uint32_t keyIndex);

protected:
    void Apply(MacroSet& set, const Text& name) override;
    const Text* OwnName() const override { return &startName_; }

private:
    uint32_t keyIndex_;
    Text startName_;
};

}  // namespace orvane::macro
