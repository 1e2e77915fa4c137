// The main window's fixed layout and painting (the class's handlers are in CTevrinDlg.cpp).
#include <algorithm>
#include <string>

#include "app/CTevrinDlg.h"
#include "app/MainIds.h"
#include "ui/CBattery.h"
#include "ui/CCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CImageButton.h"
#include "ui/CStaticImage.h"
#include "ui/CStaticText.h"
#include "ui/CTabControl.h"
#include "ui/Resources.h"

namespace orvane {

using namespace mainwnd;
using platform::Image;
using platform::Painter;
using platform::Point;
using platform::Rect;
using platform::Size;

namespace {

constexpr uint32_t kGrey = 0xB4B4B4;
constexpr int kBackgroundResource = 364;

struct RowNumber {
    const char16_t* image;
    Rect rect;
};
constexpr RowNumber kRowNumbers[kKeyCount] = {
    {u"skins\\mouse\\serial_number1.png", {52, 82, 73, 101}},   {u"skins\\mouse\\serial_number2.png", {52, 112, 73, 131}},
    {u"skins\\mouse\\serial_number3.png", {52, 141, 73, 160}},  {u"skins\\mouse\\serial_number4.png", {52, 170, 73, 189}},
    {u"skins\\mouse\\serial_number5.png", {52, 199, 73, 218}},  {u"skins\\mouse\\serial_number6.png", {52, 228, 73, 247}},
};
constexpr Rect kComboRects[kKeyCount] = {{82, 81, 244, 102},   {82, 111, 244, 132}, {82, 140, 244, 161},
                                          {82, 169, 244, 190},  {82, 198, 244, 219}, {82, 227, 244, 248}};
// Where the number of the hovered row is drawn over the mouse picture (row 6 has none).
constexpr Point kHighlightAt[5] = {{496, 247}, {607, 247}, {552, 247}, {478, 367}, {478, 317}};

}  // namespace

void CTevrinDlg::CreateControls(const Rect&) {
    if (controlsCreated_) return;
    controlsCreated_ = true;
    CreatePermanentControls();
    dpi_.Create();
    performance_.Create();
    liftOffShown_ = link_->dpiTables().sensorPageFlag();
    if (auto* h = FindControl(sectionInfo(Section::LiftOff).headerId)) h->SetActive(liftOffShown_);
    for (int i = 0; i < kSectionCount; ++i)
        if (auto* h = FindControlAs<ui::CCheckButton>(kSections[size_t(i)].headerId)) h->SetChecked(open_[size_t(i)]);
    ApplySectionVisibility();
    PlaceControls();
}

void CTevrinDlg::CreatePermanentControls() {
    auto title = [&](uint32_t id, Rect r, int entry) {
        auto* t = Add<ui::CCheckButton>(0, id, Scaled(r.left, r.top, r.right, r.bottom), Language().LanguageText(entry));
        t->LoadImages({u"skins\\header2_nr.png", u"skins\\header2_ov.png"});
    };
    title(kButtonsTitle, {36, 37, 266, 62}, kTextButtonsTitle);
    for (int k = 0; k < kKeyCount; ++k) {
        const Rect n = kRowNumbers[k].rect;
        Add<ui::CStaticImage>(0, 0, Scaled(n.left, n.top, n.right, n.bottom))->LoadImageFile(kRowNumbers[k].image);
        const Rect c = kComboRects[k];
        auto* combo = Add<ui::CComboButton>(0, kFirstCombo + uint32_t(k), Scaled(c.left, c.top, c.right, c.bottom),
                                            u"Disable", kMsgComboRow);
        combo->LoadImages({u"skins\\combo2_nr.png", u"skins\\combo2_ov.png"});
    }
    Add<ui::CImageButton>(0, kMacroManager, Scaled(36, 320, 266, 345), Language().LanguageText(kTextMacroManager))
        ->LoadImages({u"skins\\button1_nr.png", u"skins\\button1_ov.png"});

    title(kBatteryTitle, {36, 398, 266, 423}, kTextBatteryTitle);
    auto* battery = Add<ui::CBattery>(0, Scaled(120, 449, 181, 479));
    battery->LoadFullImage(u"skins\\battery_full.png");
    battery->LoadEmptyImage(u"skins\\battery_empty.png");
    battery->LoadChargingImage(u"skins\\battery_charging.png");
    battery->LoadLightningImage(u"skins\\battery_lighting.png");
    auto* batteryText = Add<ui::CStaticText>(0, kBatteryText, Scaled(185, 465, 225, 483), kGrey, platform::kTextLeft);
    batteryText->SetFont(int32_t(16.0f * Scale()), u"Tahoma");
    batteryText->SetLabel(u"0%");

    title(kProfilesTitle, {36, 520, 266, 545}, kTextProfilesTitle);
    for (uint32_t p = 0; p < ui::CTabControl::kTabCount; ++p) {
        auto* tab = Add<ui::CTabControl>(0, kFirstTab + p, Scaled(50, 552, 212, 573),
                                         app_.profiles[p].GetProfileName(), app_.currentProfile);
        tab->LoadImages(u"skins\\profile_slot_nr.png", u"skins\\profile_slot_ov.png", u"skins\\profile_slot_nr2.png",
                        u"skins\\profile_slot_ov2.png");
        tab->SetTextMargins(int32_t(10.0f * Scale()), int32_t(4.0f * Scale()));
    }
    Add<ui::CImageButton>(0, kAddProfile, Scaled(50, 630, 96, 650), Text{})
        ->LoadImages({u"skins\\add_nr.png", u"skins\\add_ov.png"});

    auto* version = Add<ui::CStaticText>(0, kVersion, Scaled(36, 702, 246, 720), kGrey, platform::kTextLeft);
    version->SetLabel(Language().LanguageText(kTextVersion) + kVersionSuffix);

    Add<ui::CStaticImage>(0, kMousePicture, Scaled(457, 171, 672, 569))->LoadImageFile(u"skins\\mouse\\mouse_nr.png");
    Add<ui::CImageButton>(0, kMinimise, Scaled(1072, 12, 1087, 27), Text{})
        ->LoadImages({u"skins\\min_nr.png", u"skins\\min_ov.png"});
    Add<ui::CImageButton>(0, kExit, Scaled(1092, 12, 1107, 27), Text{})
        ->LoadImages({u"skins\\exit_nr.png", u"skins\\exit_ov.png"});
    Add<ui::CImageButton>(0, kReset, Scaled(1040, 700, 1109, 720), Language().LanguageText(kTextReset))
        ->LoadImages({u"skins\\button2_nr.png", u"skins\\button2_ov.png"});

    for (const auto& info : kSections) {
        auto* header = Add<ui::CCheckButton>(0, info.headerId, Scaled(kColumnLeft, 37, kColumnLeft + kColumnWidth, 62),
                                             Language().LanguageText(info.textEntry));
        header->LoadImages({u"skins\\header_nr.png", u"skins\\header_ov.png", u"skins\\header_dn.png"});
    }
}

void CTevrinDlg::PlaceProfileBar(int showCount) {
    for (int i = 0; i < showCount && i < 5; ++i) {
        const int p = app_.settings.GetProfileShowList(i);
        if (auto* tab = FindControl(kFirstTab + uint32_t(p))) tab->SetRect(Scaled(50, 552 + 25 * i, 212, 573 + 25 * i));
    }
    const int32_t y = 555 + 25 * std::max(showCount, 3);
    if (auto* add = FindControl(kAddProfile)) add->SetRect(Scaled(50, y, 96, y + 20));
}

void CTevrinDlg::PlaceControls() {
    for (int i = 0; i < kSectionCount; ++i)
        if (auto* h = FindControl(kSections[size_t(i)].headerId)) h->SetRect(HeaderRect(Section(i)));
    performance_.Place();
}

void CTevrinDlg::DrawPanelFrames(Painter& p, int showCount) {
    const Image frame = Images().load(u"skins\\Frame_Lighting_Setting.bmp");
    if (!frame) return;
    auto panel = [&](int32_t x, int32_t y, int32_t w, int32_t h) { p.drawImage(frame, Scaled(x, y, x + w, y + h)); };
    panel(36, 62, 230, 205);
    panel(36, 311, 230, 43);
    panel(36, 423, 230, 82);
    panel(36, 545, 230, 26 * showCount + 30);
    for (int i = 0; i < kSectionCount; ++i) {
        if (!open_[size_t(i)]) continue;
        if (Section(i) == Section::LiftOff && !liftOffShown_) continue;
        const Point o = ContentOrigin(Section(i));
        panel(o.x, o.y, kColumnWidth, kSections[size_t(i)].panelHeight);
    }
}

void CTevrinDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    const int showCount = std::clamp(app_.settings.GetProfileShowCount(), 0, 5);
    PlaceProfileBar(showCount);

    Image background;
    if (Scale() > 1.0f) background = Images().load(std::string("resources/main_background@2x.png"));
    if (!background) background = ui::LoadResourceImage(Images(), kBackgroundResource);
    if (background) p.drawImage(background, Scaled(0, 0, kDesignWidth, kDesignHeight));

    DrawPanelFrames(p, showCount);
    PlaceControls();
    DrawControls(p, client);

    if (highlight_ >= 1 && highlight_ <= 5) {
        const Image number =
            Images().load(u"skins\\mouse\\number" + fromUtf8(std::to_string(highlight_)) + u".png");
        if (number) {
            const Point at = kHighlightAt[highlight_ - 1];
            const Rect dst = Rect::fromSize(int32_t(float(at.x) * Scale()), int32_t(float(at.y) * Scale()),
                                            int32_t(float(number.width()) * Scale()),
                                            int32_t(float(number.height()) * Scale()));
            p.drawImage(number, dst, platform::Interpolation::Nearest);
        }
    }
}

}  // namespace orvane
