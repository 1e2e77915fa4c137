#pragma once
// What the two dialogs that name a macro share: a field for the name, confirmed with OK or
// Enter (Escape does nothing). A name breaking a rule is refused with a message and the dialog
// stays open; nothing changes in the library until the name passes.
#include "macro/CMacroFieldDlg.h"
#include "profile/MacroLibrary.h"

namespace orvane::macro {

class CMacroKeyNameDlg : public CMacroFieldDlg {
public:
    static constexpr uint32_t kIdTitle = 2012;
    static constexpr uint32_t kIdField = 2017;

    bool OnKeyDown(uint32_t vk) override;
    void OnOK() override { Confirm(); }
    ui::CEditControl* Field() const { return field_; }

protected:
    CMacroKeyNameDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                     MacroLibrary& library, uint32_t setIndex, int titleText, Text initial);
    void CreateValue(const Rect& rect) override;
    void Confirm() override;
    // Stores the name that passed the rules.
    virtual void Apply(MacroSet& set, const Text& name) = 0;
    // The name the macro may keep (renaming), or null.
    virtual const Text* OwnName() const { return nullptr; }

    MacroLibrary& library_;
    uint32_t setIndex_;

private:
    Text initial_;
    ui::CEditControl* field_ = nullptr;
};

}  // namespace orvane::macro
