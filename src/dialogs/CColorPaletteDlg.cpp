#include "dialogs/CColorPaletteDlg.h"

#include <algorithm>
#include <string>

#include "dialogs/CFramedDlg.h"
#include "dialogs/DialogLayout.h"
#include "ui/CButtonBase.h"
#include "ui/CImageButton.h"
#include "ui/CStaticText.h"
#include "ui/Pictures.h"

namespace orvane::dialogs {

namespace {
// Areas of the palette picture that pick a colour, in design pixels.
constexpr Rect kSpectrum{18, 26, 222, 270};
constexpr Rect kSwatches{244, 26, 473, 190};
constexpr Rect kPreview{245, 212, 303, 270};
constexpr int32_t kSwatchSize = 20;
}  // namespace

CColorPaletteDlg::CColorPaletteDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                                   Profile& profile, int level)
    : CDlgBase(platform, parent),
      language_(language),
      profile_(profile),
      level_(level >= 0 && level < kDpiLevelCount ? level : 0),
      picked_(profile.DPILevelIndication[size_t(level_)]) {
    SetWindowSize(int32_t(float(kWidth) * Scale()), int32_t(float(kHeight) * Scale()));
    palette_ = Images().load(std::string(kPalettePath));
}

bool CColorPaletteDlg::OnInitDialog() {
    entry_ = std::make_unique<PopupWindowEntry>(this);
    return CDlgBase::OnInitDialog();
}

void CColorPaletteDlg::CreateControls(const Rect&) {
    const float s = Scale();
    // The palette has no title of its own: it is named after the level whose colour it picks.
    Text name = language_.LanguageText(kTextDpiColourName);
    if (const size_t at = name.find(u"%d"); at != Text::npos) name.replace(at, 2, fromUtf8(std::to_string(level_ + 1)));
    SetAccessibleTitle(name);
    auto* close = Add<ui::CImageButton>(0, kIdClose, scaledRect(480, 6, 495, 21, s), Text{});
    close->SetAccessibleName(language_.LanguageText(CFramedDlg::kTextCloseName));
    close->LoadImages({ui::pictures::kExitNr, ui::pictures::kExitOv});
    Add<ui::CImageButton>(0, kIdOkButton, scaledRect(391, 234, 460, 254, s), language_.LanguageText(kTextOk))
        ->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});
    Add<ui::CStaticText>(0, kIdRed, scaledRect(320, 212, 373, 230, s), kDialogTextColour, platform::kTextCenter);
    Add<ui::CStaticText>(0, kIdGreen, scaledRect(320, 235, 373, 253, s), kDialogTextColour, platform::kTextCenter);
    Add<ui::CStaticText>(0, kIdBlue, scaledRect(320, 258, 373, 276, s), kDialogTextColour, platform::kTextCenter);
    ShowComponents();
}

void CColorPaletteDlg::ShowComponents() {
    const uint32_t parts[3] = {picked_ & 0xFF, (picked_ >> 8) & 0xFF, (picked_ >> 16) & 0xFF};
    const uint32_t ids[3] = {kIdRed, kIdGreen, kIdBlue};
    for (int i = 0; i < 3; ++i)
        if (auto* t = FindControlAs<ui::CStaticText>(ids[i])) t->SetLabel(fromUtf8(std::to_string(parts[i])));
}

void CColorPaletteDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(kGapColour));
    p.drawImage(palette_, client);
    DrawControls(p, client);
    const float s = Scale();
    p.fillRect(scaledRect(kPreview.left, kPreview.top, kPreview.right, kPreview.bottom, s), platform::bgr(picked_));
    if (cursor_ >= 0) {
        // The keyboard's swatch, framed as the focused control is.
        const Rect sw = SwatchRect(cursor_);
        Rect r = scaledRect(sw.left - 2, sw.top - 2, sw.right + 2, sw.bottom + 2, s);
        for (int32_t i = 0; i < std::max(1, int32_t(s)); ++i) {
            p.drawRect(r, platform::bgr(ui::CButtonBase::kTextChecked));
            r = r.adjusted(1, 1, -1, -1);
        }
    }
}

bool CColorPaletteDlg::PickAt(Point pt) {
    const float s = Scale();
    const Point design{int32_t(float(pt.x) / s), int32_t(float(pt.y) / s)};
    if (!kSpectrum.contains(design) && !kSwatches.contains(design)) return false;
    if (!palette_) return false;
    // The colour on screen: the picture is stretched over the whole window.
    const Size win = WindowSize();
    const int32_t x = std::clamp(int32_t(int64_t{pt.x} * palette_.width() / std::max(1, win.width)), 0,
                                 palette_.width() - 1);
    const int32_t y = std::clamp(int32_t(int64_t{pt.y} * palette_.height() / std::max(1, win.height)), 0,
                                 palette_.height() - 1);
    const Colour c = platform::Color::fromArgb(palette_.pixel(x, y)).toBgr();
    if (c == kGapColour) return false;
    picked_ = c;
    ShowComponents();
    Invalidate();
    return true;
}

void CColorPaletteDlg::OnLButtonDown(uint32_t flags, Point pt) {
    if (PickAt(pt)) return;
    CDlgBase::OnLButtonDown(flags, pt);
}

void CColorPaletteDlg::Confirm() {
    profile_.DPILevelIndication[size_t(level_)] = picked_;
    entry_.reset();
    EndDialog(ui::kIdOk);
}

void CColorPaletteDlg::OnCancel() {
    entry_.reset();
    EndDialog(ui::kIdCancel);
}

bool CColorPaletteDlg::OnKeyDown(uint32_t vk) {
    if (vk == platform::kVkReturn) {
        Confirm();
        return true;
    }
    if (MoveCursor(vk)) return true;
    return vk == platform::kVkEscape;
}

Rect CColorPaletteDlg::SwatchRect(int index) {
    const int32_t left = kSwatches.left + 30 * (index % kSwatchColumns);
    const int32_t top = kSwatches.top + 29 * (index / kSwatchColumns);
    return {left, top, left + kSwatchSize, top + kSwatchSize};
}

bool CColorPaletteDlg::MoveCursor(uint32_t vk) {
    int col = cursor_ < 0 ? 0 : cursor_ % kSwatchColumns;
    int row = cursor_ < 0 ? 0 : cursor_ / kSwatchColumns;
    if (vk != platform::kVkLeft && vk != platform::kVkRight && vk != platform::kVkUp && vk != platform::kVkDown)
        return false;
    if (cursor_ >= 0) {
        if (vk == platform::kVkLeft) col = (col + kSwatchColumns - 1) % kSwatchColumns;
        if (vk == platform::kVkRight) col = (col + 1) % kSwatchColumns;
        if (vk == platform::kVkUp) row = (row + kSwatchRows - 1) % kSwatchRows;
        if (vk == platform::kVkDown) row = (row + 1) % kSwatchRows;
    }
    cursor_ = row * kSwatchColumns + col;
    const Rect r = SwatchRect(cursor_);
    const float s = Scale();
    (void)PickAt({int32_t(float(r.left + kSwatchSize / 2) * s), int32_t(float(r.top + kSwatchSize / 2) * s)});
    Invalidate();
    return true;
}

intptr_t CColorPaletteDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (lParam == ui::kCodeClicked && msg == kIdOkButton) {
        Confirm();
        return 0;
    }
    if (lParam == ui::kCodeClicked && msg == kIdClose) {
        OnCancel();
        return 0;
    }
    return CDlgBase::OnMessage(msg, wParam, lParam);
}

}  // namespace orvane::dialogs
