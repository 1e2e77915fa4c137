#include "ui/gallery/GallerySheet.h"

#include <algorithm>

namespace orvane::ui::gallery {

namespace {
constexpr int32_t kPad = 4;
constexpr int32_t kGap = 12;
constexpr int32_t kLabelHeight = 16;
constexpr uint32_t kSheetBackground = 0x303030;
constexpr uint32_t kCellBackground = 0x202020;
const FontSpec kLabelFont{u"DejaVu Sans", -11, 0};
constexpr Point kAway{-100, -100};
}  // namespace

GalleryHost::GalleryHost(platform::Platform& p) : CDlgBase(p) {}

void GalleryHost::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, bgr(BackgroundColor()));
    DrawControls(p, client);
}

GallerySheet::GallerySheet(GalleryPlatform& platform, GalleryHost& host) : platform_(platform), host_(host) {}

void GallerySheet::control(const std::string& label, CControlBase& c, State state) {
    // Only the sample takes part: the others are set aside so they can neither be hot nor drawn.
    std::vector<CControlBase*> setAside;
    for (int l = 0; l < CDlgBase::kListCount; ++l)
        for (auto& other : host_.ControlList(l))
            if (other.get() != &c && other->Active()) {
                other->SetActive(false);
                setAside.push_back(other.get());
            }
    const Rect saved = c.GetRect();
    const Rect r = Rect::fromSize(kPad, kPad, saved.width(), saved.height());
    c.SetRect(r);
    auto& w = host_.Fake();
    const Point centre{r.left + r.width() / 2, r.top + r.height() / 2};
    if (state == State::Hover || state == State::Pressed) w.moveTo(centre.x, centre.y);
    if (state == State::Pressed) w.press(centre.x, centre.y);
    if (state == State::Focused) host_.SetFocusedControl(&c);
    const Size size{r.width() + 2 * kPad, r.height() + 2 * kPad};
    Image img = platform_.render(size, [&](Painter& p) {
        p.fillRect({0, 0, size.width, size.height}, bgr(kCellBackground));
        c.Draw(p, r);
        host_.DrawFocusMark(p);
    });
    host_.SetFocusedControl(nullptr);
    if (state == State::Pressed) w.release(kAway.x, kAway.y);
    w.moveTo(kAway.x, kAway.y);
    w.leave();
    platform_.clock().runPending();
    c.SetRect(saved);
    for (auto* other : setAside) other->SetActive(true);
    cells_.push_back({label, std::move(img), row_});
}

void GallerySheet::controlStates(const std::string& label, CControlBase& c) {
    control(label + " normal", c, State::Normal);
    control(label + " over", c, State::Hover);
    control(label + " pressed", c, State::Pressed);
}

void GallerySheet::popup(const std::string& label, CWndPopup& menu, int hotItem) {
    auto* w = static_cast<platform::FakeWindow*>(menu.GetWindow());
    if (!w) return;
    if (hotItem >= 0 && size_t(hotItem) < menu.Items().size()) {
        const Rect r = menu.Items()[size_t(hotItem)].rect;
        w->moveTo(r.left + r.width() / 2, r.top + r.height() / 2);
    }
    const Size size = w->clientSize();
    Image img = platform_.render(size, [&](Painter& p) {
        static_cast<platform::WindowHost&>(menu).onPaint(p, {0, 0, size.width, size.height});
    });
    w->moveTo(kAway.x, kAway.y);
    platform_.clock().runPending();
    cells_.push_back({label, std::move(img), row_});
}

void GallerySheet::picture(const std::string& label, Size size, const std::function<void(Painter&)>& paint) {
    Image img = platform_.render(size, [&](Painter& p) {
        p.fillRect({0, 0, size.width, size.height}, bgr(kCellBackground));
        paint(p);
    });
    cells_.push_back({label, std::move(img), row_});
}

void GallerySheet::newRow() {
    if (!cells_.empty() && cells_.back().row == row_) ++row_;
}

Image GallerySheet::compose() const {
    struct Placed {
        const Cell* cell;
        Point at;
        int32_t width;
    };
    std::vector<Placed> placed;
    int32_t y = kGap, width = 0;
    for (int row = 0; row <= row_; ++row) {
        int32_t x = kGap, rowHeight = 0;
        for (const auto& c : cells_) {
            if (c.row != row) continue;
            const int32_t w = std::max(c.image.width(), 120);
            placed.push_back({&c, {x, y}, w});
            x += w + kGap;
            rowHeight = std::max(rowHeight, c.image.height() + kLabelHeight);
        }
        width = std::max(width, x);
        if (rowHeight) y += rowHeight + kGap;
    }
    const Size size{std::max(width, 1), std::max(y, 1)};
    return platform_.render(size, [&](Painter& p) {
        p.fillRect({0, 0, size.width, size.height}, bgr(kSheetBackground));
        for (const auto& pl : placed) {
            const Rect label = Rect::fromSize(pl.at.x, pl.at.y, pl.width, kLabelHeight);
            p.drawText(fromUtf8(pl.cell->label), label, kLabelFont, bgr(0xD0D0D0),
                       platform::kTextSingleLine | platform::kTextVCenter | platform::kTextEndEllipsis);
            const Image& img = pl.cell->image;
            p.drawImage(img, Rect::fromSize(pl.at.x, pl.at.y + kLabelHeight, img.width(), img.height()),
                        Interpolation::Nearest);
        }
    });
}

}  // namespace orvane::ui::gallery
