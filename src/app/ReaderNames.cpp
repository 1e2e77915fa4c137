// What screen readers and Tab go by in the main window: the names of the controls that show no
// text of their own, and the order the controls are read in.
#include <algorithm>
#include <string>

#include "app/CTevrinDlg.h"
#include "app/MainIds.h"
#include "app/SectionLayout.h"

namespace orvane {

using namespace mainwnd;

namespace {

// The first "%d" of a language text replaced by n.
Text WithNumber(const Text& format, int n) {
    const Text number = fromUtf8(std::to_string(n));
    const size_t at = format.find(u"%d");
    return at == Text::npos ? format + u" " + number : format.substr(0, at) + number + format.substr(at + 2);
}

}  // namespace

void CTevrinDlg::NameControlsForReaders() {
    const auto& lan = Language();
    auto name = [&](uint32_t id, const Text& text) {
        if (auto* c = FindControl(id)) c->SetAccessibleName(text);
    };
    for (int r = 0; r < 6; ++r) name(kFirstCombo + uint32_t(r), WithNumber(lan.LanguageText(kTextReaderButtonRow), r + 1));
    for (int i = 0; i < 4; ++i) {
        name(kDpiLabel + uint32_t(i), WithNumber(lan.LanguageText(kTextReaderDpiLevel), i + 1));
        name(kDpiGauge + uint32_t(i), WithNumber(lan.LanguageText(kTextReaderDpiValue), i + 1));
        name(kDpiColour + uint32_t(i), WithNumber(lan.LanguageText(kTextReaderDpiColour), i + 1));
        name(kDpiCheck + uint32_t(i), WithNumber(lan.LanguageText(kTextReaderDpiOn), i + 1));
    }
    name(kMinimise, lan.LanguageText(kTextReaderMinimise));
    name(kExit, lan.LanguageText(kTextReaderClose));
    name(kBatteryGauge, lan.LanguageText(kTextReaderBattery));
    name(kAddProfile, lan.LanguageText(kTextReaderAddProfile));
    // Sliders and radios are named by the section or caption that says what they set.
    name(kPollingSlider, lan.LanguageText(sectionInfo(Section::Polling).textEntry));
    name(kSleepSlider, lan.LanguageText(sectionInfo(Section::Sleep).textEntry));
    name(kDebounceSlider, lan.LanguageText(sectionInfo(Section::Debounce).textEntry));
    name(kLiftOff1, lan.LanguageText(kTextLiftOff1));
    name(kLiftOff2, lan.LanguageText(kTextLiftOff2));
}

std::vector<ui::CControlBase*> CTevrinDlg::ReadingOrder() const {
    // The window is read as it is laid out: the title bar left to right, the left column and
    // the middle top to bottom (the order they were added in), then the right column: each
    // section's header followed by its contents where open, and Reset at its foot.
    const int32_t titleBarBottom = Scaled(0, 37, 0, 37).top;
    const int32_t middleLeft = Scaled(300, 0, 300, 0).left;
    const int32_t rightLeft = Scaled(kColumnLeft, 0, kColumnLeft, 0).left;
    std::vector<ui::CControlBase*> titleBar, left, middle, right, foot;
    for (const auto& c : ControlList(0)) {
        if (!c || !c->Shown() || sectionForHeader(c->Id()) >= 0) continue;
        const platform::Rect r = c->GetRect();
        if (r.top < titleBarBottom) titleBar.push_back(c.get());
        else if (r.left < middleLeft) left.push_back(c.get());
        else if (r.left < rightLeft) middle.push_back(c.get());
        else foot.push_back(c.get());
    }
    std::stable_sort(titleBar.begin(), titleBar.end(), [](const ui::CControlBase* a, const ui::CControlBase* b) {
        return a->GetRect().left < b->GetRect().left;
    });
    for (const auto& info : kSections) {
        if (auto* header = FindControl(info.headerId); header && header->Shown()) right.push_back(header);
        for (const auto& c : ControlList(info.group))
            if (c && c->Shown()) right.push_back(c.get());
    }
    // Anything in a list no section holds is read last.
    for (int list = 1; list < kListCount; ++list)
        if (std::none_of(kSections.begin(), kSections.end(), [list](const SectionInfo& i) { return i.group == list; }))
            for (const auto& c : ControlList(list))
                if (c && c->Shown()) foot.push_back(c.get());
    std::vector<ui::CControlBase*> order;
    for (const auto* part : {&titleBar, &left, &middle, &right, &foot})
        order.insert(order.end(), part->begin(), part->end());
    return order;
}

}  // namespace orvane
