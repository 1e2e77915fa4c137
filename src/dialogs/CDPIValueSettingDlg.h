#pragma once
// Picks the resolution of one DPI level with a slider over the sensor's step table. The dialog
// moves a step index; OK writes it into the level's gauge, the close button leaves it alone.
#include <functional>

#include "dialogs/CPlainFramedDlg.h"
#include "ui/CDPIValueShowControl.h"

namespace orvane::dialogs {

class CDPIValueSettingDlg : public CPlainFramedDlg {
public:
    static constexpr uint32_t kIdTitle = 2012;
    // The three labels have Ids of their own so that each can be found and set apart.
    static constexpr uint32_t kIdLowest = 2014;
    static constexpr uint32_t kIdHighest = 2015;
    static constexpr uint32_t kIdCurrent = 2013;
    static constexpr uint32_t kIdTrack = 2020;
    static constexpr uint32_t kIdSlider = 2021;
    static constexpr uint32_t kVkLeft = 0x25;
    static constexpr uint32_t kVkRight = 0x27;
    static constexpr int kTextTitle = 273;  // "DPI value": the title, and the slider's name for readers

    // dpiOfStep: the DPI value of a step index of the current sensor.
    CDPIValueSettingDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                        ui::CDPIValueShowControl& gauge, int stepCount, std::function<int(int)> dpiOfStep);

    int Index() const { return index_; }
    bool OnKeyDown(uint32_t vk) override;
    void OnMouseMove(uint32_t flags, Point pt) override;

protected:
    void CreateControls(const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

private:
    void SetIndex(int index, bool fromSlider);

    ui::CDPIValueShowControl& gauge_;
    int stepCount_;
    std::function<int(int)> dpiOfStep_;
    int index_;
};

}  // namespace orvane::dialogs
