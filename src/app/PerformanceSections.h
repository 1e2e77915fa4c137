#pragma once
// The polling-rate, lift-off, sleep-time, debounce and pointer sections of the main window.
// Their controls sit at fixed offsets from their section's content origin, which moves as
// sections open and close.
#include <cstdint>
#include <vector>

#include "app/SectionHost.h"
#include "app/SectionLayout.h"
#include "platform/Geometry.h"
#include "profile/LanguageTable.h"
#include "profile/Profile.h"
#include "ui/CDlgBase.h"

namespace orvane {

class PerformanceSections {
public:
    // column: where the sections stand now, as the window opens and closes them.
    PerformanceSections(ui::CDlgBase& dlg, const LanguageTable& language, const SectionColumn& column,
                        SectionHost& host)
        : dlg_(dlg), language_(language), column_(column), host_(host) {}

    void Create();
    // Puts every control at its offset from its section's current content origin.
    void Place();
    void Refresh(const Profile& profile);
    // Writes the value of one control (the one the user changed) into the profile.
    void Collect(Profile& profile, uint32_t changed) const;
    bool Handles(uint32_t msg) const;
    void OnMessage(uint32_t msg, uintptr_t wParam, intptr_t code);
    // A pointer movement with the left button held, wherever it is: open sliders follow it.
    void DragTo(platform::Point pt);

    static Text PollingText(int position);

private:
    struct Placed {
        uint32_t id;
        Section section;
        platform::Rect offset;  // design pixels from the content origin
    };
    template <class T, class... Args>
    T* AddAt(Section section, uint32_t id, platform::Rect offset, Args&&... args);
    void ShowSliderValue(uint32_t slider, int position);
    void SliderChanged(uint32_t slider, int position, bool released);
    // The section's content origin moved by a design offset, at the display scale.
    platform::Rect PlacedRect(Section section, const platform::Rect& offset) const;

    ui::CDlgBase& dlg_;
    const LanguageTable& language_;
    const SectionColumn& column_;
    SectionHost& host_;
    std::vector<Placed> placed_;
};

}  // namespace orvane
