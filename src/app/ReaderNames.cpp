// Names for screen readers of the main window's controls that show no text of their own.
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

}  // namespace orvane
