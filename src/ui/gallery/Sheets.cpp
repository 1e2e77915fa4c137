// The sheets of the gallery. Each part of the toolkit adds a builder here.
#include "ui/gallery/GallerySheet.h"
#include "ui/gallery/ToolkitSheets.h"
#include "ui/Pictures.h"

namespace orvane::ui::gallery {

namespace {

using platform::kTextCenter;
using platform::kTextRight;
using platform::kTextSingleLine;
using platform::kTextVCenter;
using platform::kTextWordBreak;
using platform::kTextWordEllipsis;

Image checker(int32_t n) {
    std::vector<uint32_t> px(size_t(n) * size_t(n));
    for (int32_t y = 0; y < n; ++y)
        for (int32_t x = 0; x < n; ++x) px[size_t(y * n + x)] = ((x + y) % 2) ? 0xFFDEA035u : 0xFF35A0DEu;
    return Image(n, n, std::move(px));
}

// The painter itself: text layout flags, fonts, fills and both interpolations.
void painterSheet(GallerySheet& s) {
    const float k = s.scale();
    const auto sz = [&](int32_t w, int32_t h) { return Size{int32_t(w * k), int32_t(h * k)}; };
    const FontSpec latin{u"Tahoma", int32_t(16 * k), 0};
    const FontSpec cjk{u"宋体", int32_t(12 * k), 0};
    const FontSpec bold{u"Tahoma", -int32_t(13 * k), 600};
    const TextFormat one = kTextSingleLine | kTextVCenter | kTextWordEllipsis;
    const Size box = sz(161, 22);
    const Rect r{0, 0, box.width, box.height};
    s.picture("left", box, [&](Painter& p) { p.drawText(u"Polling rate", r, latin, bgr(0xB4B4B4), one); });
    s.picture("centre", box, [&](Painter& p) { p.drawText(u"Polling rate", r, latin, bgr(0xFFFFFF), one | kTextCenter); });
    s.picture("right", box, [&](Painter& p) { p.drawText(u"Polling rate", r, latin, bgr(0x00FFFF), one | kTextRight); });
    s.picture("ellipsis", box, [&](Painter& p) {
        p.drawText(u"A caption far too long for its box", r, latin, bgr(0xFFFFFF), one);
    });
    s.newRow();
    s.picture("CJK", box, [&](Painter& p) { p.drawText(u"中文 宏管理 123", r, cjk, bgr(0xFFFFFF), one | kTextCenter); });
    s.picture("dialog font", box, [&](Painter& p) { p.drawText(u"Velmira Orvane", r, bold, bgr(0xFFFFFF), one); });
    const Size para = sz(161, 66);
    s.picture("word wrap", para, [&](Painter& p) {
        p.drawText(u"Words wrap inside the rectangle when they do not fit on one line.",
                   {0, 0, para.width, para.height}, latin, bgr(0xFFFFFF), kTextWordBreak);
    });
    s.newRow();
    const Image c = checker(4);
    const Size pic = sz(48, 48);
    s.picture("smooth", pic, [&](Painter& p) { p.drawImage(c, {0, 0, pic.width, pic.height}, Interpolation::Smooth); });
    s.picture("nearest", pic, [&](Painter& p) { p.drawImage(c, {0, 0, pic.width, pic.height}, Interpolation::Nearest); });
    s.picture("fills", pic, [&](Painter& p) {
        p.fillRect({0, 0, pic.width, pic.height / 2}, bgr(0xDEA035));
        p.fillRect({0, pic.height / 2, pic.width, pic.height}, bgr(0x00FFFF));
        p.drawRect({2, 2, pic.width - 2, pic.height - 2}, bgr(0xFFFFFF));
        p.drawLine({0, 0}, {pic.width - 1, pic.height - 1}, bgr(0x0000FF));
    });
}

// The popup base: image items and plain items, with and without a hot item.
class SampleMenu : public CWndPopup {
public:
    explicit SampleMenu(bool plain) : CWndPopup(kTypeCombo), plain_(plain) {
        SetImages(ui::pictures::kMenuNr, ui::pictures::kMenuOv, ui::pictures::kMenusubNr, ui::pictures::kMenusubOv);
    }
    void Init() override {
        AddItem(u"Left click", Image{}, 1, false);
        AddItem(u"Right click", Image{}, 2, false);
        AddSeparator();
        AddItem(u"DPI", Image{}, 3, true);
        AddItem(u"Disable", Image{}, 4, false);
    }
    void DrawItems(Painter& p, const Rect&) override {
        if (plain_)
            DrawPlainItems(p);
        else
            DrawImageItems(p);
    }

private:
    bool plain_;
};

void popupSheet(GallerySheet& s) {
    for (bool plain : {false, true}) {
        auto* menu = s.host().AdoptPopup(std::make_unique<SampleMenu>(plain));
        menu->Create(&s.host(), 0, 0, 10, 10, 0, 0);
        const std::string kind = plain ? "plain" : "image";
        s.popup(kind + " menu", *menu);
        s.popup(kind + " menu, item hot", *menu, 1);
        s.popup(kind + " menu, submenu hot", *menu, 3);
        menu->Destroy();
        s.newRow();
    }
}

}  // namespace

std::vector<SheetSpec> AllSheets() {
    return {
        {"painter", painterSheet},
        {"popup-base", popupSheet},
        {"buttons", ButtonSheet},
        {"indicators", IndicatorSheet},
        {"menus", MenuSheet},
        {"focus", FocusSheet},
    };
}

}  // namespace orvane::ui::gallery
