#pragma once
// The frame shared by the profile add and edit dialogs: a title, the name field, OK, Cancel and
// the close button (which cancels). OK or Enter confirms once the name is acceptable; Escape
// does nothing. What confirming does is the subclass's.
#include "dialogs/CFramedDlg.h"

namespace orvane::ui {
class CEditControl;
}

namespace orvane::dialogs {

class CProfileNameDlg : public CFramedDlg {
public:
    static constexpr uint32_t kIdTitle = 2012;
    static constexpr uint32_t kIdCancelButton = 2011;
    static constexpr uint32_t kIdName = 2017;

    bool OnInitDialog() override;
    bool OnKeyDown(uint32_t vk) override;
    void OnCancel() override { Close(ui::kIdCancel); }
    ui::CEditControl* NameField() const { return field_; }

protected:
    struct Layout {
        int title;  // Language table entry
        Rect titleRect;
        Rect fieldRect;
        Text initialName;
    };
    CProfileNameDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language, Layout layout);

    // The name passed the rules: store it and whatever else confirming means.
    virtual void Accept(const Text& name) = 0;

    void CreateControls(const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

private:
    void Confirm();

    Layout layout_;
    ui::CEditControl* field_ = nullptr;
};

}  // namespace orvane::dialogs
