// The clickable controls in the looks a user meets: at rest, under the pointer, pressed,
// checked or selected, and disabled.
#include <tuple>

#include "ui/CCheckButton.h"
#include "ui/CColorSelectButton.h"
#include "ui/CComboButton.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CImageButton.h"
#include "ui/CRadioButton.h"
#include "ui/DpiLevelMask.h"
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
constexpr int kTextRecord = 198;
constexpr int kTextStop = 199;

Rect box(GallerySheet& s, int32_t w, int32_t h) { return {0, 0, s.scaled(w), s.scaled(h)}; }

void imageButtons(GallerySheet& s, const LanguageTable& texts) {
    auto* b = s.host().Add<CImageButton>(0, 2045, box(s, 69, 20), texts.LanguageText(kTextReset));
    b->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});
    s.controlStates("button", *b);
    b->SetDisabled(true);
    s.control("button disabled, over", *b, State::Hover);
    s.newRow();
    for (const auto& [name, normal, over] : {std::tuple{"exit", ui::pictures::kExitNr, ui::pictures::kExitOv},
                                             std::tuple{"minimise", ui::pictures::kMinNr, ui::pictures::kMinOv}}) {
        auto* w = s.host().Add<CImageButton>(0, 2001, box(s, 15, 15), Text{});
        w->LoadImages({normal, over});
        s.control(name, *w);
        s.control(std::string(name) + " over", *w, State::Hover);
    }
    s.newRow();
}

void checkButtons(GallerySheet& s, const LanguageTable& texts) {
    auto* h = s.host().Add<CCheckButton>(0, 3001, box(s, 262, 25), texts.LanguageText(kTextDpi));
    h->LoadImages({ui::pictures::kHeaderNr, ui::pictures::kHeaderOv, ui::pictures::kHeaderDn});
    h->SetTextMargins(s.scaled(10), 0);
    h->SetTextAlign(platform::kTextLeft);
    s.control("section closed", *h);
    s.control("section closed, over", *h, State::Hover);
    h->SetChecked(true);
    s.control("section open", *h);
    s.newRow();
    auto* c = s.host().Add<CCheckButton>(0, 3260, box(s, 11, 11), Text{});
    c->LoadImages(
        {ui::pictures::kCheckButtonDpiNr, ui::pictures::kCheckButtonDpiOv, ui::pictures::kCheckButtonDpiDn});
    s.controlStates("check box off", *c);
    c->SetChecked(true);
    s.control("check box on", *c);
    auto* r = s.host().Add<CCheckButton>(0, 2018, box(s, 90, 18), texts.LanguageText(kTextRecord));
    r->LoadImages({ui::pictures::kMacroRecordNr, ui::pictures::kMacroRecordOv, ui::pictures::kMacroRecordDn});
    r->SetCheckedText(texts.LanguageText(kTextStop));
    s.control("record", *r);
    s.control("record over", *r, State::Hover);
    r->SetChecked(true);
    s.control("recording", *r);
    s.newRow();
}

void radioButtons(GallerySheet& s) {
    // A group of the sheet's own, in bits no window uses.
    const RadioOption first{0, 0x3}, second{1, 0x3};
    const uint32_t saved = RadioGroupState::get();
    RadioGroupState::select(second);
    auto* a = s.host().Add<CRadioButton>(0, 2031, box(s, 15, 15), first);
    auto* b = s.host().Add<CRadioButton>(0, 2032, box(s, 15, 15), second);
    for (auto* r : {a, b}) r->LoadImages({ui::pictures::kRadioNr, ui::pictures::kRadioOv, ui::pictures::kRadioDn});
    s.controlStates("radio", *a);
    s.control("radio selected", *b);
    RadioGroupState::set(saved);
    s.newRow();

    const uint8_t mask = DpiLevelMask::get();
    DpiLevelMask::set(0x06);
    const struct {
        const char* name;
        uint32_t id;
        uint32_t colour;
        int32_t value;
        State state;
    } levels[] = {{"DPI level off", 3290, 0xB4B4B4, 8, State::Normal},
                  {"off, over", 3290, 0xB4B4B4, 8, State::Hover},
                  {"on, active", 3291, 0x0000FF, 32, State::Normal},
                  {"on", 3292, 0xB4B4B4, 64, State::Normal},
                  {"five digits, active", 3291, 0x0000FF, 480, State::Normal},
                  {"five digits", 3292, 0xB4B4B4, 376, State::Normal}};
    for (const auto& l : levels) {
        auto* d = s.host().Add<CDPIRadioButton>(0, l.id, box(s, 26, 11));
        d->LoadStrip(ui::pictures::kDpiValue);
        d->SetFont(s.scaled(10), u"Tahoma");  // the 11-pixel band takes a smaller face
        d->SetValue(l.value);
        d->SetTextColour(l.colour);
        s.control(l.name, *d, l.state);
    }
    DpiLevelMask::set(mask);
    s.newRow();
}

void comboButtons(GallerySheet& s, const LanguageTable& texts) {
    auto* c = s.host().Add<CComboButton>(0, 2013, box(s, 162, 21), texts.LanguageText(kTextLeftClick), 1028);
    c->LoadResourceStrip(CComboButton::kStripResource);
    c->SetTextMargins(s.scaled(8), s.scaled(18));
    c->SetTextAlign(platform::kTextLeft);
    s.controlStates("assignment", *c);
    c->SetMenuOpen(true);
    s.control("menu open", *c);
    s.newRow();
    c->SetMenuOpen(false);
    c->SetDisableLook(true);
    s.control("disabled look", *c);
    s.control("disabled look, over", *c, State::Hover);
    c->SetDisableLook(false);
    c->SetDisableText(true);
    s.control("\"Disable\" text", *c);
    s.newRow();
}

void colourButtons(GallerySheet& s) {
    for (const auto& [name, colour] : {std::pair{"colour default", CColorSelectButton::kDefaultColour},
                                       std::pair{"red", 0x0000FFu}, std::pair{"accent", 0xDEA035u}}) {
        const Rect r = box(s, 26, 12);
        auto* c = s.host().Add<CColorSelectButton>(0, 3270, r, r.adjusted(s.scaled(2), s.scaled(2), -s.scaled(2), -s.scaled(2)));
        c->SetColour(colour);
        s.control(name, *c);
    }
    s.newRow();
}

}  // namespace

void ButtonSheet(GallerySheet& s) {
    const LanguageTable& texts = GalleryTexts();
    imageButtons(s, texts);
    checkButtons(s, texts);
    radioButtons(s);
    comboButtons(s, texts);
    colourButtons(s);
}

}  // namespace orvane::ui::gallery
