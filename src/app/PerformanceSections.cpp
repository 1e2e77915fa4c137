#include "app/PerformanceSections.h"

#include <algorithm>
#include <string>

#include "app/MainIds.h"
#include "ui/CImageButton.h"
#include "ui/CRadioButton.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticImage.h"
#include "ui/CStaticText.h"
#include "ui/RadioGroupState.h"
#include "ui/Pictures.h"

namespace orvane {

using namespace mainwnd;
using platform::Image;
using platform::Painter;
using platform::Point;
using platform::Rect;
using platform::Size;

namespace {

constexpr uint32_t kGrey = 0xB4B4B4;
constexpr Rect kTrack{42, 42, 187, 45};
constexpr Rect kSlider{42, 37, 187, 50};

Text number(int v) { return fromUtf8(std::to_string(v)); }

struct SliderInfo {
    uint32_t slider;
    uint32_t value;
    Section section;
};
constexpr SliderInfo kSliders[] = {
    {kPollingSlider, kPollingValue, Section::Polling},
    {kSleepSlider, kSleepValue, Section::Sleep},
    {kDebounceSlider, kDebounceValue, Section::Debounce},
};

}  // namespace

Text PerformanceSections::PollingText(int position) {
    return position == 0 ? u"125Hz" : position == 1 ? u"500Hz" : u"1000Hz";
}

Rect PerformanceSections::PlacedRect(Section section, const Rect& offset) const {
    const Point o{kColumnLeft, column_.ContentTop(section)};
    return dlg_.Scaled(o.x + offset.left, o.y + offset.top, o.x + offset.right, o.y + offset.bottom);
}

template <class T, class... Args>
T* PerformanceSections::AddAt(Section section, uint32_t id, platform::Rect offset, Args&&... args) {
    placed_.push_back({id, section, offset});
    return dlg_.Add<T>(sectionInfo(section).group, id, PlacedRect(section, offset), std::forward<Args>(args)...);
}

void PerformanceSections::Create() {
    const float s = dlg_.Scale();
    const int32_t left = int32_t(6.0f * s), right = int32_t(7.0f * s);
    auto slider = [&](Section sec, uint32_t trackId, uint32_t id, int steps) {
        AddAt<ui::CStaticImage>(sec, trackId, kTrack)->LoadImageFile(ui::pictures::kSliderBar);
        AddAt<ui::CSliderControl>(sec, id, kSlider, steps, left, right)->LoadThumbImage(ui::pictures::kSliderCircle);
    };
    slider(Section::Polling, kPollingTrack, kPollingSlider, 3);
    AddAt<ui::CStaticText>(Section::Polling, kPollingValue, Rect{195, 34, 256, 52}, kGrey, platform::kTextLeft);

    for (uint32_t id : {kLiftOff1, kLiftOff2}) {
        const Rect r = id == kLiftOff1 ? Rect{80, 27, 95, 42} : Rect{160, 27, 175, 42};
        AddAt<ui::CRadioButton>(Section::LiftOff, id, r)
            ->LoadImages({ui::pictures::kRadioNr, ui::pictures::kRadioOv, ui::pictures::kRadioDn});
    }
    AddAt<ui::CStaticText>(Section::LiftOff, kLiftOffCaption1, Rect{64, 47, 111, 65}, kGrey, platform::kTextCenter)
        ->SetLabel(language_.LanguageText(kTextLiftOff1));
    AddAt<ui::CStaticText>(Section::LiftOff, kLiftOffCaption2, Rect{144, 47, 191, 65}, kGrey, platform::kTextCenter)
        ->SetLabel(language_.LanguageText(kTextLiftOff2));

    slider(Section::Sleep, kSleepTrack, kSleepSlider, 10);
    AddAt<ui::CStaticText>(Section::Sleep, kSleepCaption, Rect{0, 60, 262, 78}, kGrey, platform::kTextCenter)
        ->SetLabel(language_.LanguageText(kTextSleepUnit));
    AddAt<ui::CStaticText>(Section::Sleep, kSleepValue, Rect{0, 80, 262, 98}, kGrey, platform::kTextCenter);

    slider(Section::Debounce, kDebounceTrack, kDebounceSlider, 9);
    // As wide as the polling value: "16ms" in the 16-pixel face does not fit the 31 pixels the
    // layout leaves for it.
    AddAt<ui::CStaticText>(Section::Debounce, kDebounceValue, Rect{195, 34, 256, 52}, kGrey, platform::kTextLeft)
        ->SetFont(int32_t(16.0f * s), u"Tahoma");

    AddAt<ui::CImageButton>(Section::Pointer, kMouseSettings, Rect{1, 30, 261, 75},
                            language_.LanguageText(kTextMouseSettings))
        ->LoadImages({ui::pictures::kButton4Nr, ui::pictures::kButton4Ov});
}

void PerformanceSections::Place() {
    for (const auto& p : placed_) {
        auto* c = dlg_.FindControl(p.id);
        if (!c) continue;
        const Rect r = PlacedRect(p.section, p.offset);
        if (c->GetRect() != r) c->SetRect(r);
    }
}

void PerformanceSections::ShowSliderValue(uint32_t slider, int position) {
    Text text;
    uint32_t id = 0;
    if (slider == kPollingSlider) id = kPollingValue, text = PollingText(position);
    if (slider == kSleepSlider) id = kSleepValue, text = number(position + 1);
    if (slider == kDebounceSlider) id = kDebounceValue, text = number(position * 2) + u"ms";
    if (auto* s = dlg_.FindControl(slider)) s->SetValueText(text);
    if (auto* t = dlg_.FindControlAs<ui::CStaticText>(id)) {
        t->SetLabel(text);
        dlg_.InvalidateRect(t->GetRect());
    }
}

void PerformanceSections::Refresh(const Profile& profile) {
    if (auto* s = dlg_.FindControlAs<ui::CSliderControl>(kPollingSlider)) {
        // 250 Hz has no step of its own (only a profile file or orvanectl sets it): the thumb
        // sits on the nearest step, 125 Hz, and the text says what the mouse really runs at.
        const uint8_t code = profile.PollingRateValue[0];
        s->SetPosition(code <= 1 ? 0 : code == 2 ? 1 : 2);
        if (auto* t = dlg_.FindControlAs<ui::CStaticText>(kPollingValue)) {
            t->SetLabel(code == 1 ? Text(u"250Hz") : PollingText(s->Position()));
            dlg_.InvalidateRect(t->GetRect());
        }
    }
    const bool option1 = profile.GetPairInt(ProfilePair::LiftDetectionHeight) == 1;
    if (auto opt = ui::RadioGroupState::optionFor(option1 ? kLiftOff1 : kLiftOff2)) ui::RadioGroupState::select(*opt);
    if (auto* s = dlg_.FindControlAs<ui::CSliderControl>(kSleepSlider)) {
        const int time = profile.GetPairInt(ProfilePair::PowerDownTime);
        s->SetPosition(time - 1);
        if (auto* t = dlg_.FindControlAs<ui::CStaticText>(kSleepValue)) t->SetLabel(number(time));
    }
    if (auto* s = dlg_.FindControlAs<ui::CSliderControl>(kDebounceSlider)) {
        const int debounce = profile.GetPairInt(ProfilePair::KeyDebounce);
        s->SetPosition(debounce / 2);
        // The text says what the mouse holds, also for a value between or beyond the steps.
        if (auto* t = dlg_.FindControlAs<ui::CStaticText>(kDebounceValue)) t->SetLabel(number(debounce) + u"ms");
    }
}

void PerformanceSections::Collect(Profile& profile, uint32_t changed) const {
    // Only the value of the control the user moved is written: the others may hold what no
    // control position stands for (250 Hz, a sleep time out of range) and must keep it.
    if (changed == kPollingSlider) {
        if (auto* s = dlg_.FindControlAs<ui::CSliderControl>(kPollingSlider)) {
            static constexpr const char16_t* kNames[] = {u"125HZ", u"500HZ", u"1000HZ"};
            static constexpr uint8_t kCodes[] = {0, 2, 3};
            const int pos = std::clamp(s->Position(), 0, 2);
            profile.PollingRateName = kNames[pos];
            profile.PollingRateValue = {kCodes[pos], 0, 0};
        }
    } else if (changed == kLiftOff1 || changed == kLiftOff2) {
        const auto opt = ui::RadioGroupState::optionFor(kLiftOff1);
        profile.SetLiftDetectionHeight(opt && ui::RadioGroupState::isSelected(opt->bit) ? 1 : 2);
    } else if (changed == kSleepSlider) {
        if (auto* s = dlg_.FindControlAs<ui::CSliderControl>(kSleepSlider)) profile.SetPowerDownTime(s->Position() + 1);
    } else if (changed == kDebounceSlider) {
        if (auto* s = dlg_.FindControlAs<ui::CSliderControl>(kDebounceSlider)) profile.SetKeyDebounce(s->Position() * 2);
    }
}

bool PerformanceSections::Handles(uint32_t msg) const {
    return msg == kPollingSlider || msg == kSleepSlider || msg == kDebounceSlider || msg == kLiftOff1 ||
           msg == kLiftOff2 || msg == kMouseSettings;
}

void PerformanceSections::SliderChanged(uint32_t slider, int position, bool released) {
    ShowSliderValue(slider, position);
    host_.CollectPageSettings(slider);
    host_.MarkDirty(SyncGroup::Performance);
    if (slider == kSleepSlider) host_.MarkDirty(SyncGroup::Power);
    if (released)
        host_.ArmSync();
    else
        host_.SliderDragged();
}

void PerformanceSections::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t code) {
    if (msg == kMouseSettings) {
        if (code == ui::kCodeClicked) (void)host_.OpenMouseSettings();
        return;
    }
    if (msg == kLiftOff1 || msg == kLiftOff2) {
        if (code != ui::kCodeClicked) return;
        for (uint32_t id : {kLiftOff1, kLiftOff2})
            if (auto* r = dlg_.FindControl(id)) dlg_.InvalidateRect(r->GetRect());
        host_.CollectPageSettings(msg);
        host_.MarkDirty(SyncGroup::Performance);
        host_.ArmSync();
        return;
    }
    if (code == ui::kCodeDragging) {
        SliderChanged(msg, int(wParam), false);
    } else if (code == ui::kCodeClicked) {
        auto* s = dlg_.FindControlAs<ui::CSliderControl>(msg);
        SliderChanged(msg, s ? s->Position() : 0, true);
    }
}

void PerformanceSections::DragTo(platform::Point pt) {
    for (const auto& info : kSliders) {
        if (!column_.IsOpen(info.section)) continue;
        if (auto* s = dlg_.FindControlAs<ui::CSliderControl>(info.slider)) s->DragTo(pt);
    }
}

}  // namespace orvane
