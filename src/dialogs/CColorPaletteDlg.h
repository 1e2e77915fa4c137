#pragma once
// Picks one DPI indicator colour by clicking the palette picture: the spectrum field or one of
// the 48 swatches; from the keyboard, the arrow keys walk the swatches (wrapping round) and pick
// the one they reach. OK or Enter store the colour in the profile's level; the close button
// leaves it alone; Escape does nothing.
#include <memory>

#include "dialogs/PopupWindowTable.h"
#include "profile/LanguageTable.h"
#include "profile/Profile.h"
#include "dialogs/DialogLayout.h"
#include "ui/CDlgBase.h"

namespace orvane::dialogs {

class CColorPaletteDlg : public ui::CDlgBase {
public:
    static constexpr int32_t kWidth = 500;
    static constexpr int32_t kHeight = 291;
    static constexpr uint32_t kIdRed = 2011;
    static constexpr uint32_t kIdGreen = 2012;
    static constexpr uint32_t kIdBlue = 2013;
    // The palette's empty background: pressing it picks nothing.
    static constexpr uint32_t kGapColour = 0x0F0F0F;
    static constexpr const char* kPalettePath = "skins/res/palette.png";
    // The swatches: 8 columns of 6 rows of 20-pixel squares, 30 and 29 design pixels apart.
    static constexpr int kSwatchColumns = 8;
    static constexpr int kSwatchRows = 6;

    // level: 0-7; 8 or more stands for level 0.
    CColorPaletteDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                     Profile& profile, int level);

    Colour Picked() const { return picked_; }
    // A press at a client point; true when it picked a colour.
    bool PickAt(Point pt);

    bool OnInitDialog() override;
    void OnCancel() override;
    bool OnKeyDown(uint32_t vk) override;
    void OnLButtonDown(uint32_t flags, Point pt) override;

protected:
    void CreateControls(const Rect& client) override;
    void DrawWindow(Painter& p, const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

private:
    void ShowComponents();
    void Confirm();
    // An arrow key moves the swatch cursor (the first arrow puts it on the first swatch).
    bool MoveCursor(uint32_t vk);
    static Rect SwatchRect(int index);  // in design pixels

    const LanguageTable& language_;
    Profile& profile_;
    int level_;
    Colour picked_;
    Image palette_;
    int cursor_ = -1;  // the swatch the arrow keys are on, row by row; none before the first arrow
    std::unique_ptr<PopupWindowEntry> entry_;  // closed with the application
};

}  // namespace orvane::dialogs
