#include "app/DpiIndicator.h"

#include <algorithm>

#include "app/DesktopIntegration.h"
#include "ui/UiFont.h"

namespace orvane {

namespace {
constexpr uint32_t kBackground = 0x2A2522;  // the skin's dark panel
constexpr uint32_t kFrame = 0x5A524C;
constexpr int32_t kBarWidth = 10;
}  // namespace

DpiIndicator::DpiIndicator(platform::Platform& platform, const LanguageTable& language, platform::Notifier* notifier)
    : platform_(platform), language_(language), notifier_(notifier) {}

DpiIndicator::~DpiIndicator() {
    if (window_) window_->detach();
}

Text DpiIndicator::LevelText(const Content& c) const {
    return FillNumber(language_.LanguageText(indicator::kTextLevel), c.level);
}

Text DpiIndicator::DpiText(const Content& c) const {
    return FillNumber(language_.LanguageText(indicator::kTextDpi), c.dpi);
}

void DpiIndicator::Announce(const Content& content) {
    content_ = content;
    if (!platform_.placesWindows()) {
        if (notifier_) notifier_->hint(LevelText(content), DpiText(content));
        return;
    }
    ShowWindow();
}

platform::AccessibleNode DpiIndicator::accessibleWindow() const {
    platform::AccessibleNode n;
    n.role = platform::AccessibleRole::Alert;
    if (content_) n.name = LevelText(*content_) + u": " + DpiText(*content_);
    if (window_) n.rect = {0, 0, window_->geometry().width(), window_->geometry().height()};
    return n;
}

void DpiIndicator::ShowWindow() {
    // Appearing is announced with the window; a change while it stays up is announced here.
    const bool wasShown = Shown();
    if (!window_) {
        platform::WindowOptions options;
        options.kind = platform::WindowKind::Overlay;
        options.geometry = Placement();
        window_ = platform_.createWindow(*this, options);
        if (!window_) return;
    }
    // Said in the title too, for screen readers and for whoever looks for the window by name.
    window_->setTitle(u"Velmira Orvane DPI: " + LevelText(*content_) + u", " + DpiText(*content_));
    // On the screen the pointer is on now, which may not be the one of the last change.
    window_->setGeometry(Placement());
    window_->invalidateAll();
    window_->show();
    window_->setTimer(kHideTimer, kShowMs);  // a change while shown starts the time again
    if (wasShown) window_->announce(platform::AccessibleEvent::NameChanged, -1);
}

void DpiIndicator::Hide() {
    if (!window_) return;
    window_->killTimer(kHideTimer);
    window_->hide();
}

bool DpiIndicator::Shown() const { return window_ && window_->isVisible(); }

platform::Rect DpiIndicator::Placement() const {
    const float s = platform_.screen().displayScale;
    const int32_t w = int32_t(float(kWidth) * s), h = int32_t(float(kHeight) * s);
    const platform::Rect work = platform_.pointerScreen();
    const int32_t left = work.left + (work.width() - w) / 2;
    const int32_t top = std::max(work.top, work.bottom - h - int32_t(float(kBottomGap) * s));
    return platform::Rect::fromSize(left, top, w, h);
}

void DpiIndicator::onTimer(int id) {
    if (id == kHideTimer) Hide();
}

void DpiIndicator::onPaint(platform::Painter& p, const platform::Rect&) {
    const platform::Rect client{0, 0, p.size().width, p.size().height};
    p.fillRect(client, platform::bgr(kBackground));
    p.drawRect(client, platform::bgr(kFrame));
    if (!content_) return;
    const float s = platform_.screen().displayScale;
    const platform::Color colour = platform::bgr(content_->colour);
    // The bar always has the level's colour; text in a colour too dark for the panel would vanish.
    const bool dark = colour.r * 299 + colour.g * 587 + colour.b * 114 < 60 * 1000;
    const platform::Color textColour = dark ? platform::bgr(0xE0E0E0) : colour;
    const int32_t bar = int32_t(float(kBarWidth) * s), pad = int32_t(8 * s);
    p.fillRect({1, 1, 1 + bar, client.bottom - 1}, colour);
    const Text face = ui::UiFontChoice().face;
    const platform::FontSpec small{face, -int32_t(13 * s), 600};
    const platform::FontSpec large{face, -int32_t(24 * s), 700};
    const int32_t left = 1 + bar + pad, right = client.right - pad;
    const auto format = platform::kTextLeft | platform::kTextSingleLine | platform::kTextVCenter | platform::kTextCondense;
    p.drawText(LevelText(*content_), {left, int32_t(4 * s), right, int32_t(24 * s)}, small, textColour, format);
    p.drawText(DpiText(*content_), {left, int32_t(24 * s), right, client.bottom - int32_t(4 * s)}, large,
               textColour, format);
}

}  // namespace orvane
