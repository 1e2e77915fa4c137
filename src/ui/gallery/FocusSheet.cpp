// The keyboard's mark on each kind of control that takes the keyboard, beside its look at rest.
#include <string>

#include "ui/CCheckButton.h"
#include "ui/CColorSelectButton.h"
#include "ui/CComboButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CEditShowList.h"
#include "ui/CImageButton.h"
#include "ui/CImageShowList.h"
#include "ui/CRadioButton.h"
#include "ui/CSliderControl.h"
#include "ui/CTabControl.h"
#include "ui/RadioGroupState.h"
#include "ui/gallery/GalleryTexts.h"
#include "ui/gallery/ToolkitSheets.h"
#include "ui/Pictures.h"

namespace orvane::ui::gallery {

namespace {

// Sample captions (language entries).
constexpr int kTextReset = 7;
constexpr int kTextDpi = 11;
constexpr int kTextLeftClick = 20;

Rect box(GallerySheet& s, int32_t w, int32_t h) { return {0, 0, s.scaled(w), s.scaled(h)}; }

void both(GallerySheet& s, const std::string& name, CControlBase& c) {
    s.control(name, c);
    s.control(name + " focused", c, State::Focused);
}

}  // namespace

void FocusSheet(GallerySheet& s) {
    const LanguageTable& texts = GalleryTexts();
    auto* button = s.host().Add<CImageButton>(0, 2045, box(s, 69, 20), texts.LanguageText(kTextReset));
    button->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});
    both(s, "button", *button);
    auto* exit = s.host().Add<CImageButton>(0, 2001, box(s, 15, 15), Text{});
    exit->LoadImages({ui::pictures::kExitNr, ui::pictures::kExitOv});
    both(s, "exit", *exit);
    auto* check = s.host().Add<CCheckButton>(0, 3260, box(s, 11, 11), Text{});
    check->LoadImages(
        {ui::pictures::kCheckButtonDpiNr, ui::pictures::kCheckButtonDpiOv, ui::pictures::kCheckButtonDpiDn});
    both(s, "check box", *check);
    s.newRow();

    auto* header = s.host().Add<CCheckButton>(0, 3001, box(s, 262, 25), texts.LanguageText(kTextDpi));
    header->LoadImages({ui::pictures::kHeaderNr, ui::pictures::kHeaderOv, ui::pictures::kHeaderDn});
    header->SetTextMargins(s.scaled(10), 0);
    header->SetTextAlign(platform::kTextLeft);
    both(s, "section", *header);
    s.newRow();

    const uint32_t savedGroup = RadioGroupState::get();
    const RadioOption option{0, 0x3};
    auto* radio = s.host().Add<CRadioButton>(0, 2031, box(s, 15, 15), option);
    radio->LoadImages({ui::pictures::kRadioNr, ui::pictures::kRadioOv, ui::pictures::kRadioDn});
    both(s, "radio", *radio);
    RadioGroupState::set(savedGroup);
    const Rect swatch = box(s, 26, 12);
    auto* colour = s.host().Add<CColorSelectButton>(0, 3270, swatch,
                                                    swatch.adjusted(s.scaled(2), s.scaled(2), -s.scaled(2), -s.scaled(2)));
    both(s, "colour", *colour);
    auto* gauge = s.host().Add<CDPIValueShowControl>(1, 3300, box(s, 7, 132), 32);
    gauge->LoadImages(ui::pictures::kMouseDpiBar1, ui::pictures::kMouseDpiBar2);
    gauge->SetValue(15);
    both(s, "DPI gauge", *gauge);
    s.newRow();

    auto* combo = s.host().Add<CComboButton>(0, 2013, box(s, 162, 21), texts.LanguageText(kTextLeftClick), 1028);
    combo->LoadResourceStrip(CComboButton::kStripResource);
    combo->SetTextMargins(s.scaled(8), s.scaled(18));
    combo->SetTextAlign(platform::kTextLeft);
    both(s, "assignment", *combo);
    static int32_t current = 0;
    auto* tab = s.host().Add<CTabControl>(6, 2050, box(s, 162, 21), Text{u"Profile 2"}, current);
    tab->LoadImages(ui::pictures::kProfileSlotNr, ui::pictures::kProfileSlotOv, ui::pictures::kProfileSlotNr2,
                    ui::pictures::kProfileSlotOv2);
    tab->SetTextMargins(s.scaled(6), 0);
    both(s, "tab", *tab);
    s.newRow();

    auto* slider = s.host().Add<CSliderControl>(2, 3550, box(s, 145, 13), 3, s.scaled(6), s.scaled(7));
    slider->LoadThumbImage(ui::pictures::kSliderCircle);
    slider->SetPosition(1);
    both(s, "slider", *slider);
    s.newRow();

    // The macro manager's two lists, three rows each, the second row chosen.
    static const MacroLibrary library = [] {
        MacroLibrary lib;
        MacroSet& set = lib.AddSet(u"Set 1");
        for (const char16_t* name : {u"Copy", u"Paste", u"Double click"}) set.AddKey(name);
        return lib;
    }();
    auto* keys = s.host().Add<CEditShowList>(1, box(s, 143, 60), library);
    keys->ShowSet(0);
    keys->SelectedRow = 1;
    both(s, "macro list", *keys);
    static const MacroKey actions = [] {
        MacroKey key;
        key.InsertAction(0, 0x00000041u);  // A down
        key.InsertAction(1, 0x32000003u);  // 50 ms
        key.InsertAction(2, 0x00008041u);  // A up
        key.CommandActionNum = 2;
        return key;
    }();
    auto* steps = s.host().Add<CImageShowList>(1, box(s, 143, 60), [](uint8_t) { return Text{u"A"}; });
    steps->LoadIcons(ui::pictures::kMacroUp, ui::pictures::kMacroDown, ui::pictures::kMacroTime);
    steps->ShownKey = &actions;
    steps->SelectedRow = 1;
    both(s, "action list", *steps);
    s.newRow();
}

}  // namespace orvane::ui::gallery
