#pragma once
// The DPI section of the main window: four levels side by side, each with its gauge (opens the
// value dialog), its value label (red for the active level), its on/off check and its indicator
// colour (opens the palette).
#include <cstdint>

#include "app/SectionHost.h"
#include "device/DpiTables.h"
#include "profile/AppData.h"
#include "ui/CDlgBase.h"

namespace orvane {

class DpiSection {
public:
    static constexpr int kLevels = 4;
    static constexpr uint32_t kActiveColour = 0x0000FF;  // red
    static constexpr uint32_t kOtherColour = 0xB4B4B4;

    // dpi: the steps of the sensor the mouse reports, as the link keeps them.
    DpiSection(ui::CDlgBase& dlg, AppData& app, const DpiTables& dpi, SectionHost& host)
        : dlg_(dlg), app_(app), dpi_(dpi), host_(host) {}

    void Create();
    void Refresh(const Profile& profile);
    void Collect(Profile& profile) const;
    bool Handles(uint32_t msg) const;
    void OnMessage(uint32_t msg, uintptr_t wParam, intptr_t code);
    // The sensor changed: the gauges take the new number of steps.
    void SetStepCount(int steps);
    // The level the mouse uses (CurrentDPILevelValue): the profile's, or what a click on a check
    // made it before the profile takes it.
    int CurrentLevel() const { return level_; }
    void SetCurrentLevel(int level) { level_ = level; }

private:
    void Toggle(int level);
    void EditValue(int level);
    void EditColour(int level);
    int DpiOfStep(int step) const;
    // A step's DPI as read aloud ("800 DPI").
    Text DpiText(int step) const;

    ui::CDlgBase& dlg_;
    AppData& app_;
    const DpiTables& dpi_;
    SectionHost& host_;
    int level_ = 2;
};

}  // namespace orvane
