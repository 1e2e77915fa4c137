#include "MainWindowLayout.h"

#include "base/Version.h"
#include "ui/CBattery.h"
#include "ui/CCheckButton.h"
#include "ui/CColorSelectButton.h"
#include "ui/CComboButton.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CImageButton.h"
#include "ui/CRadioButton.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticImage.h"
#include "ui/CStaticText.h"
#include "ui/CTabControl.h"
#include "ui/Resources.h"

namespace orvane::bench {

using platform::Rect;

MainWindowLayout::MainWindowLayout(platform::Platform& platform) : CDlgBase(platform) {
    SetWindowSize(int32_t(1127 * Scale()), int32_t(740 * Scale()));
}

Rect MainWindowLayout::D(int32_t l, int32_t t, int32_t r, int32_t b) const {
    const float s = Scale();
    return {int32_t(float(l) * s), int32_t(float(t) * s), int32_t(float(r) * s), int32_t(float(b) * s)};
}

size_t MainWindowLayout::ControlCount() const {
    size_t n = 0;
    for (int i = 0; i < kListCount; ++i) n += ControlList(i).size();
    return n;
}

void MainWindowLayout::CreateControls(const Rect&) {
    using namespace ui;
    background_ = LoadResourceImage(Images(), 364);
    panel_ = Images().load(std::string("skins\\Frame_Lighting_Setting.bmp"));
    const auto header = [&](uint32_t id, Rect r, const char16_t* prefix) {
        auto* c = Add<CCheckButton>(0, id, r, Text{u"Section"});
        const Text p = prefix;
        c->LoadImages({p + u"_nr.png", p + u"_ov.png", p + u"_dn.png"});
    };
    header(3008, D(36, 37, 266, 62), u"skins\\header2");
    for (int i = 0; i < 6; ++i) {
        const int32_t y = 82 + 29 * i;
        auto* n = Add<CStaticImage>(0, 3400, D(52, y, 73, y + 19));
        n->LoadImageFile(u"skins\\mouse\\serial_number1.png");
        auto* c = Add<CComboButton>(0, 2013 + uint32_t(i), D(82, y - 1, 244, y + 20), Text{u"Left Click"}, 1028);
        c->LoadResourceStrip(CComboButton::kStripResource);
    }
    Add<CImageButton>(0, 2062, D(36, 320, 266, 345), Text{u"Macro"})
        ->LoadImages({u"skins\\button1_nr.png", u"skins\\button1_ov.png"});
    header(3007, D(36, 398, 266, 423), u"skins\\header2");
    auto* battery = Add<CBattery>(0, D(120, 449, 181, 479));
    battery->LoadEmptyImage(u"skins\\battery_empty.png");
    battery->LoadFullImage(u"skins\\battery_full.png");
    battery->Level = 60;
    Add<CStaticText>(0, 3405, D(185, 465, 225, 483), 0xB4B4B4, platform::kTextLeft | platform::kTextSingleLine)
        ->SetLabel(u"60%");
    header(3009, D(36, 520, 266, 545), u"skins\\header2");
    for (uint32_t p = 0; p < 5; ++p) {
        const int32_t y = 552 + 25 * int32_t(p);
        Add<CTabControl>(0, 2049 + p, D(50, y, 212, y + 21), Text{u"Profile"}, currentProfile_)
            ->LoadImages(u"skins\\profile_slot_nr.png", u"skins\\profile_slot_ov.png", u"skins\\profile_slot_nr2.png",
                         u"skins\\profile_slot_ov2.png");
    }
    Add<CStaticText>(0, 3021, D(36, 702, 246, 720), 0xB4B4B4, platform::kTextLeft | platform::kTextSingleLine)
        ->SetLabel(u"Version:" + Text(VersionText()));
    Add<CStaticImage>(0, 3400, D(457, 171, 672, 569))->LoadImageFile(u"skins\\mouse\\mouse_nr.png");
    Add<CImageButton>(0, 2002, D(1072, 12, 1087, 27), Text{})->LoadImages({u"skins\\min_nr.png", u"skins\\min_ov.png"});
    Add<CImageButton>(0, 2001, D(1092, 12, 1107, 27), Text{})
        ->LoadImages({u"skins\\exit_nr.png", u"skins\\exit_ov.png"});
    Add<CImageButton>(0, 2045, D(1040, 700, 1109, 720), Text{u"Reset"})
        ->LoadImages({u"skins\\button2_nr.png", u"skins\\button2_ov.png"});
    header(3001, D(846, 37, 1108, 62), u"skins\\header");
    for (int i = 0; i < 4; ++i) {
        const int32_t x = 37 * i;
        auto* g = Add<CDPIValueShowControl>(1, 3300 + uint32_t(i), D(918 + x, 75, 925 + x, 207), 80);
        g->LoadImages(u"skins\\mouse\\dpi_bar_1.png", u"skins\\mouse\\dpi_bar_2.png");
        g->SetValue(10 * (i + 1));
        auto* l = Add<CDPIRadioButton>(1, 3290 + uint32_t(i), D(909 + x, 212, 935 + x, 223));
        l->LoadStrip(u"skins\\dpi_value.png");
        l->SetValue(16 * (i + 1));
        Add<CCheckButton>(1, 3260 + uint32_t(i), D(916 + x, 226, 927 + x, 237), Text{})
            ->LoadImages({u"skins\\check_button_dpi_nr.png", u"skins\\check_button_dpi_ov.png",
                          u"skins\\check_button_dpi_dn.png"});
        Add<CColorSelectButton>(1, 3270 + uint32_t(i), D(909 + x, 240, 935 + x, 252), D(911 + x, 242, 933 + x, 250));
    }
    // Polling rate, lift-off, sleep and debounce sections open one below the other.
    const auto slider = [&](uint32_t id, int32_t top, int32_t count) {
        Add<CStaticImage>(4, id + 1, D(888, top + 42, 1033, top + 45))->LoadImageFile(u"skins\\Slider_bar.png");
        auto* s = Add<CSliderControl>(4, id, D(888, top + 37, 1033, top + 50), count, int32_t(6 * Scale()),
                                      int32_t(7 * Scale()));
        s->LoadThumbImage(u"skins\\Slider_Circle.png");
        s->SetPosition(count / 2);
        Add<CStaticText>(4, id + 2, D(1041, top + 34, 1102, top + 52), 0xB4B4B4,
                         platform::kTextLeft | platform::kTextSingleLine)
            ->SetLabel(u"1000Hz");
    };
    header(3004, D(846, 263, 1108, 288), u"skins\\header");
    slider(3550, 288, 3);
    header(3011, D(846, 373, 1108, 398), u"skins\\header");
    Add<CRadioButton>(5, 3510, D(926, 425, 941, 440))
        ->LoadImages({u"skins\\radio_nr.png", u"skins\\radio_ov.png", u"skins\\radio_dn.png"});
    Add<CRadioButton>(5, 3511, D(1006, 425, 1021, 440))
        ->LoadImages({u"skins\\radio_nr.png", u"skins\\radio_ov.png", u"skins\\radio_dn.png"});
    header(3010, D(846, 483, 1108, 508), u"skins\\header");
    slider(3540, 508, 10);
    header(3012, D(846, 618, 1108, 643), u"skins\\header");
    slider(3530, 618, 9);
}

void MainWindowLayout::DrawWindow(platform::Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    p.drawImage(background_, client, platform::Interpolation::Smooth);
    for (const Rect& r : {D(36, 62, 266, 267), D(36, 311, 266, 354), D(36, 423, 266, 505), D(36, 545, 266, 705),
                          D(846, 62, 1108, 258), D(846, 288, 1108, 373)})
        p.drawImage(panel_, r, platform::Interpolation::Smooth);
    DrawControls(p, client);
}

}  // namespace orvane::bench
