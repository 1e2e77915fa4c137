#include "dialogs/CProgressBarDlg.h"

#include <algorithm>

#include "dialogs/DialogLayout.h"
#include "platform/Input.h"
#include "ui/CStaticText.h"
#include "ui/UiFont.h"
#include "ui/Pictures.h"

namespace orvane::dialogs {

namespace {
// Rows of the fill picture that form the bar.
constexpr int32_t kBandTop = 66;
constexpr int32_t kBandRows = 12;
constexpr uint32_t kTitleColour = 0xBEBEBE;
}  // namespace

CProgressBarDlg::CProgressBarDlg(platform::Platform& platform, ui::CDlgBase* parent, Text title)
    : CDlgBase(platform, parent), title_(std::move(title)) {
    SetWindowSize(int32_t(float(kWidth) * Scale()), int32_t(float(kHeight) * Scale()));
}

bool CProgressBarDlg::OnInitDialog() {
    background_ = Images().load(ui::pictures::kFrameProgressNr);
    fill_ = Images().load(ui::pictures::kFrameProgressOv);
    progress_ = 0;
    if (!CDlgBase::OnInitDialog()) return false;
    started_ = true;
    Step(true);
    return true;
}

void CProgressBarDlg::CreateControls(const Rect&) {
    SetAccessibleTitle(title_);
    auto* title = Add<ui::CStaticText>(0, kIdTitle, scaledRect(10, 3, 164, 23, Scale()), kTitleColour,
                                       platform::kTextLeft | platform::kTextSingleLine);
    title->SetFont(int32_t(18.0f * Scale()), ui::UiFontChoice().face);
    title->SetLabel(title_);
}

Rect CProgressBarDlg::BandRect(int progress) const {
    const float s = Scale();
    const int32_t columns = progress * kWidth / 100;
    return {0, int32_t(float(kBandTop) * s), int32_t(float(columns) * s), int32_t(float(kBandTop + kBandRows) * s)};
}

void CProgressBarDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    p.drawImage(background_, client);
    if (fill_ && progress_ > 0) {
        const int32_t columns = progress_ * kWidth / 100;
        // The pictures are drawn at the design size; the band is taken in the picture's own pixels.
        const float fx = float(fill_.width()) / float(kWidth), fy = float(fill_.height()) / float(kHeight);
        const Rect src{0, int32_t(float(kBandTop) * fy), int32_t(float(columns) * fx),
                       int32_t(float(kBandTop + kBandRows) * fy)};
        p.drawImage(fill_, BandRect(progress_), src);
    }
    DrawControls(p, client);
}

void CProgressBarDlg::SetLimit(int percent) {
    limit_ = std::clamp(percent, 0, 100);
    if (started_ && !stepping_ && progress_ < limit_) Step(true);
}

// A bar waiting at its limit does not tick (a write of seconds would wake the program a hundred
// times a second for nothing); a higher limit sets it going again.
void CProgressBarDlg::Step(bool on) {
    if (on == stepping_) return;
    stepping_ = on;
    if (on)
        SetTimer(kStepTimer, kStepMs);
    else
        KillTimer(kStepTimer);
}

void CProgressBarDlg::OnTimer(int id) {
    if (id == kStepTimer) {
        if (progress_ < limit_) {
            progress_ = std::min(limit_, progress_ + 2);
            InvalidateRect(BandRect(progress_));
        }
        if (progress_ >= 100) {
            Step(false);
            SetTimer(kCloseTimer, kCloseMs);
        } else if (progress_ >= limit_) {
            Step(false);
        }
    } else if (id == kCloseTimer) {
        KillTimer(kCloseTimer);
        background_ = {};
        fill_ = {};
        EndDialog(ui::kIdOk);
    }
}

bool CProgressBarDlg::OnKeyDown(uint32_t vk) { return vk == platform::kVkReturn || vk == platform::kVkEscape; }

}  // namespace orvane::dialogs
