// The main window's fixed layout and painting (the class's handlers are in CTevrinDlg.cpp).
#include <algorithm>
#include <string>

#include "app/CTevrinDlg.h"
#include "app/MainIds.h"
#include "base/Version.h"
#include "ui/CBattery.h"
#include "ui/CCheckButton.h"
#include "ui/CImageButton.h"
#include "ui/CNoticeStrip.h"
#include "ui/CStaticImage.h"
#include "ui/CStaticText.h"
#include "ui/Resources.h"
#include "ui/Pictures.h"

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
// The undelivered-changes notice: light text in an amber frame on a dark box.
constexpr uint32_t kNoticeFill = 0x202020;
constexpr uint32_t kNoticeBorder = 0x00B0FF;
constexpr uint32_t kNoticeText = 0xEBEBEB;

}  // namespace

std::vector<std::string> MainWindowFirstPictures(const platform::ImageCache& images, float scale) {
    return {ui::ResourceImagePath(images, kBackgroundResource, scale), toUtf8(ui::pictures::kMouseMouseNr)};
}

void CTevrinDlg::CreateControls(const Rect&) {
    if (controlsCreated_) return;
    controlsCreated_ = true;
    CreatePermanentControls();
    dpi_.Create();
    performance_.Create();
    column_.liftOffShown = link_->dpiTables().sensorPageFlag();
    if (auto* h = FindControl(sectionInfo(Section::LiftOff).headerId)) h->SetActive(column_.liftOffShown);
    for (int i = 0; i < kSectionCount; ++i)
        if (auto* h = FindControlAs<ui::CCheckButton>(kSections[size_t(i)].headerId))
            h->SetChecked(column_.open[size_t(i)]);
    ApplySectionVisibility();
    PlaceControls();
    NameControlsForReaders();
}

void CTevrinDlg::CreatePermanentControls() {
    auto title = [&](uint32_t id, Rect r, int entry) {
        auto* t = Add<ui::CCheckButton>(0, id, Scaled(r.left, r.top, r.right, r.bottom), Language().LanguageText(entry));
        t->LoadImages({ui::pictures::kHeader2Nr, ui::pictures::kHeader2Ov});
        // A panel's title does nothing, so it never takes the pointer's look or a click.
        t->SetMouseAware(false);
    };
    title(kButtonsTitle, {36, 37, 266, 62}, kTextButtonsTitle);
    buttons_.Create();

    title(kBatteryTitle, {36, 398, 266, 423}, kTextBatteryTitle);
    auto* battery = Add<ui::CBattery>(0, Scaled(120, 449, 181, 479));
    battery->LoadFullImage(ui::pictures::kBatteryFull);
    battery->LoadEmptyImage(ui::pictures::kBatteryEmpty);
    battery->LoadChargingImage(ui::pictures::kBatteryCharging);
    battery->LoadLightningImage(ui::pictures::kBatteryLighting);
    auto* batteryText = Add<ui::CStaticText>(0, kBatteryText, Scaled(185, 465, 225, 483), kGrey, platform::kTextLeft);
    batteryText->SetFont(int32_t(16.0f * Scale()), u"Tahoma");
    batteryText->SetLabel(u"0%");
    batteryText->SetVisible(false);  // until the mouse reports its level: no mouse is not an empty one

    title(kProfilesTitle, {36, 520, 266, 545}, kTextProfilesTitle);
    profiles_.Create();

    auto* version = Add<ui::CStaticText>(0, kVersion, Scaled(36, 702, 246, 720), kGrey, platform::kTextLeft);
    version->SetLabel(Language().LanguageText(kTextVersion) + u":" + Text(VersionText()));

    Add<ui::CStaticImage>(0, kMousePicture, Scaled(457, 171, 672, 569))->LoadImageFile(ui::pictures::kMouseMouseNr);
    // Below the mouse picture, clear of both columns: it stays up while the mouse is missing and
    // until it has everything.
    Add<ui::CNoticeStrip>(0, kUndeliveredNotice, Scaled(330, 620, 800, 680), kNoticeFill, kNoticeBorder, kNoticeText);
    // Beside the logo, so that no one takes the virtual mouse's window for the real one.
    if (services_.virtualMouse) {
        auto* label = Add<ui::CStaticText>(0, kVirtualMouseLabel, Scaled(215, 7, 600, 25), kNoticeBorder,
                                           platform::kTextLeft);
        label->SetLabel(Language().LanguageText(presence::kTextVirtualMouse));
    }
    Add<ui::CImageButton>(0, kMinimise, Scaled(1072, 12, 1087, 27), Text{})
        ->LoadImages({ui::pictures::kMinNr, ui::pictures::kMinOv});
    Add<ui::CImageButton>(0, kExit, Scaled(1092, 12, 1107, 27), Text{})
        ->LoadImages({ui::pictures::kExitNr, ui::pictures::kExitOv});
    Add<ui::CImageButton>(0, kReset, Scaled(1040, 700, 1109, 720), Language().LanguageText(kTextReset))
        ->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});

    for (const auto& info : kSections) {
        auto* header = Add<ui::CCheckButton>(0, info.headerId, Scaled(kColumnLeft, 37, kColumnLeft + kColumnWidth, 62),
                                             Language().LanguageText(info.textEntry));
        header->LoadImages({ui::pictures::kHeaderNr, ui::pictures::kHeaderOv, ui::pictures::kHeaderDn});
    }
}

void CTevrinDlg::PlaceControls() {
    for (int i = 0; i < kSectionCount; ++i)
        if (auto* h = FindControl(kSections[size_t(i)].headerId)) h->SetRect(HeaderRect(Section(i)));
    performance_.Place();
}

void CTevrinDlg::DrawPanelFrames(Painter& p, int showCount) {
    const Image frame = Images().load(ui::pictures::kFrameLightingSetting);
    if (!frame) return;
    auto panel = [&](int32_t x, int32_t y, int32_t w, int32_t h) { p.drawImage(frame, Scaled(x, y, x + w, y + h)); };
    panel(36, 62, 230, 205);
    panel(36, 311, 230, 43);
    panel(36, 423, 230, 82);
    // The profiles' frame ends just under the add button, which sits one tab pitch (25) below
    // the last tab and never above the third: 26 per tab would outgrow the tabs and, with five,
    // run into the version line.
    panel(36, 545, 230, 25 * std::max(showCount, 3) + 32);
    for (int i = 0; i < kSectionCount; ++i) {
        if (!column_.open[size_t(i)]) continue;
        if (Section(i) == Section::LiftOff && !column_.liftOffShown) continue;
        const Point o = ContentOrigin(Section(i));
        panel(o.x, o.y, kColumnWidth, kSections[size_t(i)].panelHeight);
    }
}

void CTevrinDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    const int showCount = std::clamp(app_.settings.GetProfileShowCount(), 0, 5);
    profiles_.Place();

    const Image background = ui::LoadResourceImage(Images(), kBackgroundResource, Scale());
    if (background) p.drawImage(background, Scaled(0, 0, kDesignWidth, kDesignHeight));

    DrawPanelFrames(p, showCount);
    PlaceControls();
    DrawControls(p, client);

    buttons_.DrawHighlight(p);
    // What the first paint did not take from the pictures decoded at start-up is not needed.
    Images().endPrefetch();
    // On screen again: what only a shown window needs wakes again.
    WatchForAbsence();
    if (link_) link_->watchdog().batteryInSight();
}

}  // namespace orvane
