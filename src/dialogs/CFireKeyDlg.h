#pragma once
// Builds a fire-key function (a repeated click): the interval, 5 to 255, and the repeat count,
// 0 to 255, typed as numbers. OK sends the function to the parent (message resultMsg, wParam the
// OK button's Id, the ui::PopupResult, through SendResult) and closes; the close button closes without one.
// The interval is checked as it is typed: more than 255 becomes 255 with a notice.
#include "dialogs/CFramedDlg.h"
#include "ui/CWndPopup.h"

namespace orvane::ui {
class CEditControl;
}

namespace orvane::dialogs {

class CFireKeyDlg : public CFramedDlg {
public:
    static constexpr uint32_t kIdText = 2012;
    static constexpr uint32_t kIdNumber = 2017;
    static constexpr int kCheckTimer = 1;
    static constexpr int kCheckMs = 100;
    static constexpr int kMinInterval = 5;

    CFireKeyDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language, uint32_t resultMsg);

    bool OnInitDialog() override;
    bool OnKeyDown(uint32_t vk) override;
    ui::CEditControl* Interval() const { return interval_; }
    ui::CEditControl* Count() const { return count_; }

protected:
    void CreateControls(const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void OnTimer(int id) override;

private:
    // Rewrites a number above 255 as 255 with its notice; true when one was rewritten.
    bool ClampFields();
    void Confirm();
    void Close(intptr_t result);
    void ShowNotice(int entry);
    bool FilterKey(const platform::KeyEvent& e);

    uint32_t resultMsg_;
    ui::CEditControl* interval_ = nullptr;
    ui::CEditControl* count_ = nullptr;
    ui::PopupResult result_;
};

// The value of the leading decimal digits of a field ("12ab" is 12, "x" is 0), at most a little
// over 255 so that any longer number still reads as too large.
int FieldNumber(const Text& text);

}  // namespace orvane::dialogs
