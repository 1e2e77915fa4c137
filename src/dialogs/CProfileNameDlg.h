#pragma once
// The frame shared by the profile add and edit dialogs: a title, the name field, OK, Cancel and
// the close button (which cancels). OK or Enter confirms once the name is acceptable; Escape
// does nothing. What confirming does is the subclass's.
#include <memory>

#include "dialogs/DialogLayout.h"
#include "dialogs/PopupWindowTable.h"
#include "profile/LanguageTable.h"
#include "ui/CDlgBase.h"

namespace orvane::ui {
class CEditControl;
}

namespace orvane::dialogs {

class CProfileNameDlg : public ui::CDlgBase {
public:
    static constexpr int32_t kWidth = 429;
    static constexpr int32_t kHeight = 140;
    static constexpr uint32_t kIdTitle = 2012;
    static constexpr uint32_t kIdCancelButton = 2011;
    static constexpr uint32_t kIdName = 2017;

    ~CProfileNameDlg() override;

    bool OnInitDialog() override;
    bool OnKeyDown(uint32_t vk) override;
    void OnCancel() override { Finish(ui::kIdCancel); }
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
    const LanguageTable& language_;

    void CreateControls(const Rect& client) override;
    void DrawWindow(Painter& p, const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

private:
    void Confirm();
    void Finish(intptr_t result);

    Layout layout_;
    ui::CEditControl* field_ = nullptr;
    // Closed with the application, like the other dialogs it may open over the main window.
    std::unique_ptr<PopupWindowEntry> entry_;
};

}  // namespace orvane::dialogs
