#include "app/DpiSection.h"

#include <string>

#include "app/DpiLevels.h"
#include "app/MainIds.h"
#include "dialogs/CColorPaletteDlg.h"
#include "dialogs/CDPIValueSettingDlg.h"
#include "ui/CCheckButton.h"
#include "ui/CColorSelectButton.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/DpiLevelMask.h"
#include "ui/Pictures.h"

namespace orvane {

using namespace mainwnd;
using platform::Image;
using platform::Painter;
using platform::Point;
using platform::Rect;
using platform::Size;

namespace {
constexpr int kGroup = 1;
}

int DpiSection::DpiOfStep(int step) const { return dpi_.dpiValue(step); }

Text DpiSection::DpiText(int step) const { return fromUtf8(std::to_string(DpiOfStep(step)) + " DPI"); }

void DpiSection::Create() {
    const int steps = dpi_.stepCount();
    for (int i = 0; i < kLevels; ++i) {
        const int32_t dx = 37 * i;
        auto* gauge = dlg_.Add<ui::CDPIValueShowControl>(kGroup, kDpiGauge + uint32_t(i),
                                                         dlg_.Scaled(918 + dx, 75, 925 + dx, 207), steps);
        gauge->LoadImages(ui::pictures::kMouseDpiBar1, ui::pictures::kMouseDpiBar2);
        auto* label = dlg_.Add<ui::CDPIRadioButton>(kGroup, kDpiLabel + uint32_t(i),
                                                    dlg_.Scaled(909 + dx, 212, 935 + dx, 223));
        label->LoadStrip(ui::pictures::kDpiValue);
        // Five digits must fit the 26-pixel label: the value is digits only, drawn in the Latin
        // face in every language, as a CJK face's digits are wider and taller.
        label->SetFont(int32_t(10.0f * dlg_.Scale()), u"Tahoma");
        // The label only shows the value; clicking it must not change which levels are lit.
        label->SetMouseAware(false);
        auto* check = dlg_.Add<ui::CCheckButton>(kGroup, kDpiCheck + uint32_t(i),
                                                 dlg_.Scaled(916 + dx, 226, 927 + dx, 237), Text{});
        check->LoadImages({ui::pictures::kCheckButtonDpiNr, ui::pictures::kCheckButtonDpiOv,
                           ui::pictures::kCheckButtonDpiDn});
        const Rect colour = dlg_.Scaled(909 + dx, 240, 935 + dx, 252);
        dlg_.Add<ui::CColorSelectButton>(kGroup, kDpiColour + uint32_t(i), colour, colour);
    }
}

void DpiSection::Refresh(const Profile& profile) {
    const uint32_t mask = profile.DPIOffOnFlagValue;
    const int active = dpiLevelPosition(profile.CurrentDPILevelValue, mask);
    ui::DpiLevelMask::set(uint8_t(mask & 0x0F));
    for (int i = 0; i < kLevels; ++i) {
        const bool on = (mask >> i) & 1;
        if (auto* check = dlg_.FindControlAs<ui::CCheckButton>(kDpiCheck + uint32_t(i))) check->SetChecked(on);
        if (auto* label = dlg_.FindControlAs<ui::CDPIRadioButton>(kDpiLabel + uint32_t(i))) {
            label->SetTextColour(i == active ? kActiveColour : kOtherColour);
            label->SetValue(DpiOfStep(profile.XYSetting[size_t(i)]) / 50);
            label->SetDisabled(!on);
        }
        if (auto* colour = dlg_.FindControlAs<ui::CColorSelectButton>(kDpiColour + uint32_t(i)))
            colour->SetColour(profile.DPILevelIndication[size_t(i)]);
        if (auto* gauge = dlg_.FindControlAs<ui::CDPIValueShowControl>(kDpiGauge + uint32_t(i))) {
            gauge->SetValue(profile.XYSetting[size_t(i)]);
            gauge->SetValueText(DpiText(profile.XYSetting[size_t(i)]));
        }
    }
    level_ = profile.CurrentDPILevelValue;
}

void DpiSection::Collect(Profile& profile) const {
    profile.CurrentDPILevelValue = uint8_t(level_);
    uint8_t mask = profile.DPIOffOnFlagValue;
    for (int i = 0; i < kLevels; ++i)
        if (auto* check = dlg_.FindControlAs<ui::CCheckButton>(kDpiCheck + uint32_t(i)))
            mask = uint8_t(check->Checked() ? (mask | (1u << i)) : (mask & ~(1u << i)));
    profile.DPIOffOnFlagValue = mask;
}

bool DpiSection::Handles(uint32_t msg) const {
    return (msg >= kDpiCheck && msg < kDpiCheck + kLevels) || (msg >= kDpiColour && msg < kDpiColour + kLevels) ||
           (msg >= kDpiGauge && msg < kDpiGauge + kLevels);
}

void DpiSection::OnMessage(uint32_t msg, uintptr_t, intptr_t code) {
    if (code != ui::kCodeClicked) return;
    if (msg >= kDpiCheck && msg < kDpiCheck + kLevels) Toggle(int(msg - kDpiCheck));
    if (msg >= kDpiGauge && msg < kDpiGauge + kLevels) EditValue(int(msg - kDpiGauge));
    if (msg >= kDpiColour && msg < kDpiColour + kLevels) EditColour(int(msg - kDpiColour));
}

void DpiSection::Toggle(int level) {
    ui::CCheckButton* checks[kLevels];
    for (int i = 0; i < kLevels; ++i)
        if (!(checks[i] = dlg_.FindControlAs<ui::CCheckButton>(kDpiCheck + uint32_t(i)))) return;
    const uint32_t before = app_.Current().DPIOffOnFlagValue;
    const bool nowOn = checks[level]->Checked();
    const auto b = dpiLevelAfterToggle(level_, before, level, nowOn);
    if (!b) {
        checks[level]->SetChecked(true);
        dlg_.InvalidateRect(checks[level]->GetRect());
        return;
    }
    level_ = *b;
    host_.CollectPageSettings(kDpiCheck + uint32_t(level));
    host_.refreshPages();
    host_.MarkDirty(SyncGroup::Performance);
    host_.ArmSync();
}

void DpiSection::EditValue(int level) {
    auto* gauge = dlg_.FindControlAs<ui::CDPIValueShowControl>(kDpiGauge + uint32_t(level));
    if (!gauge) return;
    dialogs::CDPIValueSettingDlg dlg(dlg_.GetPlatform(), &dlg_, app_.language, *gauge,
                                     dpi_.stepCount(), [this](int s) { return DpiOfStep(s); });
    if (dlg.DoModal() != ui::kIdOk) return;
    dlg_.InvalidateRect(gauge->GetRect());
    gauge->SetValueText(DpiText(gauge->Value()));
    if (auto* label = dlg_.FindControlAs<ui::CDPIRadioButton>(kDpiLabel + uint32_t(level))) {
        label->SetValue(DpiOfStep(gauge->Value()) / 50);
        dlg_.InvalidateRect(label->GetRect());
    }
    app_.Current().XYSetting[size_t(level)] = uint16_t(gauge->Value());
    host_.MarkDirty(SyncGroup::Performance);
    host_.ArmSync();
}

void DpiSection::EditColour(int level) {
    dialogs::CColorPaletteDlg dlg(dlg_.GetPlatform(), &dlg_, app_.language, app_.Current(), level);
    if (dlg.DoModal() != ui::kIdOk) return;
    if (auto* colour = dlg_.FindControlAs<ui::CColorSelectButton>(kDpiColour + uint32_t(level))) {
        colour->SetColour(app_.Current().DPILevelIndication[size_t(level)]);
        dlg_.InvalidateRect(colour->GetRect());
    }
    host_.MarkDirty(SyncGroup::Performance);
    host_.ArmSync();
}

void DpiSection::SetStepCount(int steps) {
    for (int i = 0; i < kLevels; ++i)
        if (auto* gauge = dlg_.FindControlAs<ui::CDPIValueShowControl>(kDpiGauge + uint32_t(i)))
            gauge->SetStepCount(steps);
}

}  // namespace orvane
