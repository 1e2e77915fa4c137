#pragma once
// The short progress animation shown while settings go to the mouse: the bar fills in steps of
// 2 % every 10 ms, then the dialog closes itself with OK. It animates with a timer on the UI
// thread, so nothing draws onto the window from another thread. While a long write runs, its
// owner holds the bar back to how far the write has come (SetLimit), and lets it fill when the
// write is over.
#include "dialogs/DialogLayout.h"
#include "ui/CDlgBase.h"

namespace orvane::dialogs {

class CProgressBarDlg : public ui::CDlgBase {
public:
    static constexpr int32_t kWidth = 429;
    static constexpr int32_t kHeight = 140;
    static constexpr uint32_t kIdTitle = 2012;
    static constexpr int kStepTimer = 1;
    static constexpr int kStepMs = 10;
    static constexpr int kCloseTimer = 2;
    static constexpr int kCloseMs = 20;

    CProgressBarDlg(platform::Platform& platform, ui::CDlgBase* parent, Text title);

    bool OnInitDialog() override;
    int Progress() const { return progress_; }
    // How far the bar may fill, 0 to 100 (100 unless set).
    void SetLimit(int percent);
    int Limit() const { return limit_; }
    // Enter and Escape cannot cut the animation short: it has no buttons.
    bool OnKeyDown(uint32_t vk) override;

protected:
    void CreateControls(const Rect& client) override;
    void DrawWindow(Painter& p, const Rect& client) override;
    void OnTimer(int id) override;

private:
    Rect BandRect(int progress) const;

    Text title_;
    Image background_;
    Image fill_;
    void Step(bool on);

    int progress_ = 0;
    int limit_ = 100;
    bool started_ = false;
    bool stepping_ = false;  // the step timer runs
};

}  // namespace orvane::dialogs
