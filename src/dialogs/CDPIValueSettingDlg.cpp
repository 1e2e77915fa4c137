#include "dialogs/CDPIValueSettingDlg.h"

#include <algorithm>
#include <string>

#include "platform/Input.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticImage.h"
#include "ui/CStaticText.h"
#include "ui/Pictures.h"

namespace orvane::dialogs {

namespace {
Text number(int v) { return fromUtf8(std::to_string(v)); }
}  // namespace

CDPIValueSettingDlg::CDPIValueSettingDlg(platform::Platform& platform, ui::CDlgBase* parent,
                                         const LanguageTable& language, ui::CDPIValueShowControl& gauge,
                                         int stepCount, std::function<int(int)> dpiOfStep)
    : CPlainFramedDlg(platform, parent, language),
      gauge_(gauge),
      stepCount_(std::max(1, stepCount)),
      dpiOfStep_(std::move(dpiOfStep)),
      index_(std::clamp(gauge.Value(), 0, std::max(1, stepCount) - 1)) {}

void CDPIValueSettingDlg::CreateControls(const Rect&) {
    const float s = Scale();
    SetAccessibleTitle(language_.LanguageText(kTextTitle));
    Add<ui::CStaticText>(0, kIdTitle, scaledRect(20, 3, 230, 27, s), kDialogTextColour,
                         platform::kTextLeft | platform::kTextSingleLine)
        ->SetLabel(language_.LanguageText(kTextTitle));
    AddCloseButton();
    AddPushButton(kIdOkButton, {350, 110, 419, 130}, kTextOk);
    Add<ui::CStaticText>(0, kIdLowest, scaledRect(0, 68, 60, 86, s), kDialogTextColour, platform::kTextCenter)
        ->SetLabel(number(dpiOfStep_(0)));
    Add<ui::CStaticText>(0, kIdHighest, scaledRect(365, 68, 425, 86, s), kDialogTextColour, platform::kTextCenter)
        ->SetLabel(number(dpiOfStep_(stepCount_ - 1)));
    Add<ui::CStaticText>(0, kIdCurrent, scaledRect(0, 45, 429, 63, s), kDialogTextColour, platform::kTextCenter);
    Add<ui::CStaticImage>(0, kIdTrack, scaledRect(69, 72, 359, 75, s))->LoadImageFile(ui::pictures::kSliderBar);
    auto* slider = Add<ui::CSliderControl>(0, kIdSlider, scaledRect(69, 67, 359, 80, s), stepCount_,
                                           int32_t(6.0f * s), int32_t(7.0f * s));
    slider->LoadThumbImage(ui::pictures::kSliderCircle);
    slider->SetAccessibleName(language_.LanguageText(kTextTitle));
    SetIndex(index_, false);
}

void CDPIValueSettingDlg::SetIndex(int index, bool fromSlider) {
    index_ = std::clamp(index, 0, stepCount_ - 1);
    if (auto* slider = FindControlAs<ui::CSliderControl>(kIdSlider)) {
        // Readers say the resolution the step stands for, not the step.
        Text value = language_.LanguageText(kTextDpiValueOfStep);
        const Text dpi = number(dpiOfStep_(index_));
        if (const size_t at = value.find(u"%d"); at != Text::npos) value.replace(at, 2, dpi);
        else value = dpi;
        slider->SetValueText(value);
        if (!fromSlider) {
            slider->SetPosition(index_);
            InvalidateRect(slider->GetRect());
        }
    }
    if (auto* text = FindControlAs<ui::CStaticText>(kIdCurrent)) {
        text->SetLabel(number(dpiOfStep_(index_)));
        InvalidateRect(text->GetRect());
    }
}

void CDPIValueSettingDlg::OnMouseMove(uint32_t flags, Point pt) {
    CDlgBase::OnMouseMove(flags, pt);
    if (!(flags & platform::kButtonLeft)) return;
    auto* slider = FindControlAs<ui::CSliderControl>(kIdSlider);
    if (slider && slider->DragTo(pt)) {
        InvalidateRect(slider->GetRect());
        SetIndex(slider->Position(), true);
    }
}

bool CDPIValueSettingDlg::OnKeyDown(uint32_t vk) {
    if (vk == kVkLeft) {
        if (index_ > 0) SetIndex(index_ - 1, false);
        return true;
    }
    if (vk == kVkRight) {
        if (index_ < stepCount_ - 1) SetIndex(index_ + 1, false);
        return true;
    }
    return vk == platform::kVkReturn || vk == platform::kVkEscape;
}

intptr_t CDPIValueSettingDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (msg == kIdSlider) {
        if (lParam == ui::kCodeClicked) {
            if (auto* slider = FindControlAs<ui::CSliderControl>(kIdSlider)) SetIndex(slider->Position(), true);
        } else if (lParam == ui::kCodeDragging) {
            SetIndex(int(wParam), true);
        }
        return 0;
    }
    if (lParam == ui::kCodeClicked && msg == kIdOkButton) {
        gauge_.SetValue(index_);
        EndDialog(ui::kIdOk);
        return 0;
    }
    if (lParam == ui::kCodeClicked && msg == kIdClose) {
        EndDialog(ui::kIdCancel);
        return 0;
    }
    return CDlgBase::OnMessage(msg, wParam, lParam);
}

}  // namespace orvane::dialogs
