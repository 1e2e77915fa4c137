#pragma once
// The DPI section of the main window: four levels side by side, each with its gauge (opens the
// value dialog), its value label (red for the active level), its on/off check and its indicator
// colour (opens the palette).
#include <cstdint>

#include "profile/Profile.h"

namespace orvane {

class CTevrinDlg;

class DpiSection {
public:
    static constexpr int kLevels = 4;
    static constexpr uint32_t kActiveColour = 0x0000FF;  // red
    static constexpr uint32_t kOtherColour = 0xB4B4B4;

    explicit DpiSection(CTevrinDlg& window) : w_(window) {}

    void Create();
    void Refresh(const Profile& profile);
    void Collect(Profile& profile) const;
    bool Handles(uint32_t msg) const;
    void OnMessage(uint32_t msg, uintptr_t wParam, intptr_t code);
    // The sensor changed: the gauges take the new number of steps.
    void SetStepCount(int steps);

private:
    void Toggle(int level);
    void EditValue(int level);
    void EditColour(int level);
    int DpiOfStep(int step) const;
    // A step's DPI as read aloud ("800 DPI").
    Text DpiText(int step) const;

    CTevrinDlg& w_;
};

}  // namespace orvane
