// Sliders, gauges, lists and indicators, each in the looks their owners put them in.
#include <array>
#include <string>

#include "ui/CBattery.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CEditShowList.h"
#include "ui/CImageShowList.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticImage.h"
#include "ui/CStaticText.h"
#include "ui/CTabControl.h"
#include "ui/CVScrollBar.h"
#include "ui/gallery/ToolkitSheets.h"
#include "ui/Pictures.h"

namespace orvane::ui::gallery {

namespace {

Rect box(GallerySheet& s, int32_t w, int32_t h) { return {0, 0, s.scaled(w), s.scaled(h)}; }
Point centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void sliders(GallerySheet& s) {
    // The track is the owner's picture under the slider; the sheet draws both in one cell.
    const Image track = s.host().Images().load(Text(ui::pictures::kSliderBar));
    const Size size{s.scaled(145), s.scaled(13)};
    const auto cell = [&](const std::string& name, int32_t position, int32_t dragTo) {
        CSliderControl slider(&s.host(), 3550, {0, 0, size.width, size.height}, 3, s.scaled(6), s.scaled(7));
        slider.LoadThumbImage(ui::pictures::kSliderCircle);
        slider.SetPosition(position);
        if (dragTo >= 0) {
            const Point on = centre(slider.ThumbRect());
            slider.OnLButtonDown(0, on);
            slider.DragTo({s.scaled(dragTo), on.y});
        }
        s.picture(name, size, [&](Painter& p) {
            p.drawImage(track, {0, s.scaled(5), size.width, s.scaled(8)}, Interpolation::Smooth);
            slider.Draw(p, {0, 0, size.width, size.height});
        });
    };
    cell("slider at 0 of 3", 0, -1);
    cell("at 1", 1, -1);
    cell("at 2", 2, -1);
    cell("dragged", 0, 50);
    s.newRow();
}

void gauges(GallerySheet& s) {
    for (const auto& [name, value, steps] : {std::tuple{"gauge 0 of 10", 0, 10}, std::tuple{"4 of 10", 4, 10},
                                             std::tuple{"9 of 10", 9, 10}, std::tuple{"1 of 80", 1, 80}}) {
        auto* g = s.host().Add<CDPIValueShowControl>(1, 3300, box(s, 7, 132), steps);
        g->LoadImages(ui::pictures::kMouseDpiBar1, ui::pictures::kMouseDpiBar2);
        g->SetValue(value);
        s.control(name, *g);
    }
}

void scrollBars(GallerySheet& s) {
    const auto make = [&](const std::string& name, int32_t pos, int32_t page, int32_t range, int hover) {
        auto* b = s.host().Add<CVScrollBar>(2, 2022, box(s, 18, 140));
        b->LoadArrowImages();
        b->SetScroll(pos, page, range);
        const Rect r = b->GetRect();
        if (hover == 1) b->OnMouseMove(0, centre(b->ThumbRect()));
        if (hover == 2) b->OnMouseMove(0, {centre(r).x, r.top + s.scaled(4)});
        if (hover == 3) b->OnMouseMove(0, {centre(r).x, r.bottom - s.scaled(4)});
        s.control(name, *b);
    };
    make("scroll top", 0, 5, 20, 0);
    make("middle", 8, 5, 20, 0);
    make("thumb over", 15, 5, 20, 1);
    make("up over", 0, 5, 20, 2);
    make("down over", 4, 5, 20, 3);
    make("all in view", 0, 13, 4, 0);
    s.newRow();
}

void lists(GallerySheet& s) {
    static MacroLibrary library;
    library.ClearLibrary();
    MacroSet& set = library.AddSet(u"Set 1");
    for (const char* name :
         {"Reload", "Build order", "Crouch jump", "A macro whose name is far too long to fit", "Spray", "Quick swap", "Burst"})
        set.AddKey(fromUtf8(name));
    MacroKey& key = *set.FindKey(1);
    const std::array<uint8_t, 4> actions[] = {
        {0x41, 0x00, 0, 0},    {0x00, 0x00, 0x00, 0x32}, {0x41, 0x80, 0, 0},    {0x03, 0x00, 0x01, 0xF4},
        {0xE0, 0x00, 0, 0},    {0xE0, 0x80, 0, 0},       {0xE5, 0x00, 0, 0x0A}, {0xE6, 0x00, 0, 0xFB},
        {0xE7, 0x00, 0, 0x03}, {0xE7, 0x00, 0, 0xFD},
    };
    for (uint32_t i = 0; i < std::size(actions); ++i) key.SetActionBytes(i, actions[i]);
    key.ActionCount = uint32_t(std::size(actions));

    auto* keys = s.host().Add<CEditShowList>(3, box(s, 143, 120), library);
    keys->ShowSet(0);
    keys->SelectedRow = 1;
    s.control("keys, second selected", *keys);
    keys->ScrollToEnd();
    s.control("keys, scrolled to the end", *keys);
    const KeyNameLookup keyName = [](uint8_t code) -> Text {
        if (code >= 0x41 && code <= 0x5A) return Text(1, char16_t(code));
        return code == 0xE0 ? Text{u"L Key"} : Text{u"Undefined"};
    };
    auto* acts = s.host().Add<CImageShowList>(3, box(s, 143, 120), keyName);
    acts->LoadIcons(ui::pictures::kMacroUp, ui::pictures::kMacroDown, ui::pictures::kMacroTime);
    acts->ShownKey = &key;
    acts->SelectedRow = 2;
    s.control("actions, third selected", *acts);
    acts->FirstRow = 4;
    acts->SelectedRow = -1;
    s.control("actions from row 4", *acts);
    s.newRow();
}

void batteries(GallerySheet& s) {
    auto* b = s.host().Add<CBattery>(4, box(s, 61, 30));
    b->LoadFullImage(ui::pictures::kBatteryFull);
    b->LoadEmptyImage(ui::pictures::kBatteryEmpty);
    b->LoadChargingImage(ui::pictures::kBatteryCharging);
    b->LoadLightningImage(ui::pictures::kBatteryLighting);
    const struct {
        const char* name;
        int32_t mode;
        uint8_t level;
        int32_t phase;
    } looks[] = {{"battery 0 %", 0, 0, 25},   {"40 %", 0, 40, 25},        {"100 %", 0, 100, 25},
                 {"charging 25", 1, 0, 25}, {"charging 75", 1, 0, 75}, {"charged", 2, 100, 25}};
    for (const auto& l : looks) {
        b->Mode = l.mode;
        b->Level = l.level;
        b->Phase = l.phase;
        s.control(l.name, *b);
    }
    s.newRow();
}

void statics(GallerySheet& s) {
    using namespace platform;
    const auto text = [&](const char* name, TextFormat format, const Text& label, uint32_t colour) {
        auto* t = s.host().Add<CStaticText>(5, 3405, box(s, 120, 18), colour, format | kTextSingleLine);
        t->SetLabel(label);
        s.control(name, *t);
    };
    text("text left", kTextLeft, u"125Hz", 0xB4B4B4);
    text("centred", kTextCenter, u"12ms", 0xB4B4B4);
    text("right", kTextRight, u"75%", 0xFFFFFF);
    text("too long", kTextLeft, u"A caption much too long for its place", 0xB4B4B4);
    s.newRow();
    for (int i = 1; i <= 6; ++i) {
        auto* img = s.host().Add<CStaticImage>(5, 3400, box(s, 21, 19));
        img->LoadImageFile(Text(ui::pictures::kMouseSerialNumbers[static_cast<size_t>(i - 1)]));
        s.control("image " + std::to_string(i), *img);
    }
    s.newRow();
}

void tabs(GallerySheet& s) {
    static int32_t current = 2;
    for (const auto& [name, id, state] : {std::tuple{"tab", 2049u, State::Normal}, std::tuple{"tab over", 2050u, State::Hover},
                                          std::tuple{"current tab", 2051u, State::Normal},
                                          std::tuple{"current, over", 2051u, State::Hover}}) {
        auto* t = s.host().Add<CTabControl>(6, id, box(s, 162, 21),
                                            fromUtf8("Profile " + std::to_string(id - 2048)), current);
        t->LoadImages(ui::pictures::kProfileSlotNr, ui::pictures::kProfileSlotOv, ui::pictures::kProfileSlotNr2,
                      ui::pictures::kProfileSlotOv2);
        t->SetTextMargins(s.scaled(6), 0);
        s.control(name, *t, state);
    }
    s.newRow();
}

}  // namespace

void IndicatorSheet(GallerySheet& s) {
    sliders(s);
    gauges(s);
    s.newRow();
    scrollBars(s);
    lists(s);
    batteries(s);
    statics(s);
    tabs(s);
}

}  // namespace orvane::ui::gallery
