#pragma once
// Sets the length of one delay action: a field of digits, confirmed with OK or Enter. Up to
// 15300000 ms; a larger number is cut to that.
#include <memory>

#include "dialogs/PopupWindowTable.h"
#include "macro/CMacroFieldDlg.h"
#include "macro/MacroActions.h"

namespace orvane::macro {

class CActionTimeModifyDlg : public CMacroFieldDlg {
public:
    static constexpr uint32_t kIdTitle = 2012;
    static constexpr uint32_t kIdField = 2017;
    static constexpr int kTextTitle = 220;

    // action receives (3, delay high to low) on OK and is left alone otherwise.
    CActionTimeModifyDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                         ActionBytes& action, uint32_t currentDelayMs);

    bool OnInitDialog() override;
    bool OnKeyDown(uint32_t vk) override;
    void OnOK() override { Confirm(); }
    ui::CEditControl* Field() const { return field_; }

protected:
    void CreateValue(const Rect& rect) override;
    void Confirm() override;

private:
    ActionBytes& action_;
    uint32_t initial_;
    ui::CEditControl* field_ = nullptr;
    std::unique_ptr<dialogs::PopupWindowEntry> entry_;  // closed with the application
};

}  // namespace orvane::macro
