#include "ui/CImageShowList.h"

#include "platform/Input.h"
#include "ui/ListKeys.h"
#include "ui/Messages.h"

namespace orvane::ui {

namespace {
constexpr uint32_t kBackground = 0x4B4B4B;
constexpr uint32_t kSelected = 0xDEA035;
constexpr uint32_t kText = 0xFFFFFF;
}  // namespace

CImageShowList::CImageShowList(CDlgBase* owner, const Rect& rect, KeyNameLookup keyName, bool visible, bool active,
                               bool disabled)
    : CControlBase(owner, kId, rect, Text{}, visible, active, disabled, true), keyName_(std::move(keyName)) {
    VisibleRows = (rect.height() + Scaled(10)) / Scaled(kRowHeight);
}

void CImageShowList::RememberIconSize(const Image& img) {
    if (img.isNull()) return;
    iconWidth_ = img.width();
    iconHeight_ = img.height();
}

void CImageShowList::LoadIcons(const Text& release, const Text& press, const Text& delay) {
    SetIcons(LoadImage(release), LoadImage(press), LoadImage(delay));
}

void CImageShowList::SetIcons(const Image& release, const Image& press, const Image& delay) {
    release_ = release;
    press_ = press;
    delay_ = delay;
    for (const Image* img : {&release_, &press_, &delay_}) RememberIconSize(*img);
}

void CImageShowList::ReleaseImages() {
    release_ = {};
    press_ = {};
    delay_ = {};
}

MacroActionRow CImageShowList::RowOf(uint32_t actionIndex) const {
    if (!ShownKey) return {};
    return describeMacroAction(ShownKey->GetActionBytes(actionIndex), keyName_);
}

void CImageShowList::Draw(Painter& p, const Rect&) {
    p.fillRect(rect_, bgr(kBackground));
    if (!ShownKey || FirstRow < 0) return;
    const int32_t count = int32_t(ShownKey->UsableActionCount());
    const int32_t rowH = Scaled(kRowHeight);
    for (int32_t k = 0; k < VisibleRows && FirstRow + k < count; ++k) {
        const int32_t top = rect_.top + k * rowH;
        const Rect textRect{rect_.left + Scaled(17), top, rect_.right - Scaled(2), top + rowH};
        if (FirstRow + k == SelectedRow) p.fillRect(textRect, bgr(kSelected));
        const MacroActionRow row = RowOf(uint32_t(FirstRow + k));
        const Image& icon = row.icon == MacroActionRow::Icon::Delay     ? delay_
                            : row.icon == MacroActionRow::Icon::Release ? release_
                                                                        : press_;
        if (!icon.isNull())
            p.drawImage(icon, Rect::fromSize(rect_.left + Scaled(2), top + Scaled(3), Scaled(iconWidth_), Scaled(iconHeight_)),
                        platform::Interpolation::Smooth);
        p.drawText(row.text, textRect, font_, bgr(kText),
                   platform::kTextLeft | platform::kTextSingleLine | platform::kTextVCenter |
                       platform::kTextWordEllipsis);
    }
}

bool CImageShowList::OnMouseMove(uint32_t, Point pt) { return !disabled_ && pointer_.move(rect_, pt); }

bool CImageShowList::OnLButtonDown(uint32_t, Point pt) {
    if (disabled_ || !rect_.contains(pt)) return false;
    pointer_.press();
    const int32_t r = RowAt(pt.y);
    if (ShownKey && r < int32_t(ShownKey->UsableActionCount())) SelectedRow = FirstRow + r;
    return true;
}

bool CImageShowList::OnLButtonUp(uint32_t, Point pt) {
    if (disabled_) return false;
    pointer_.release(rect_, pt);
    if (rect_.contains(pt)) Notify(kCodeClicked);
    return true;
}

bool CImageShowList::OnLButtonDblClk(uint32_t, Point pt) {
    if (disabled_) return false;
    if (!rect_.contains(pt)) return pointer_.set(PointerState::kNormal);
    pointer_.set(PointerState::kOver);
    Notify(kCodeDoubleClick);
    return true;
}

// ---- Keyboard and readers ----

void CImageShowList::SetReaderWords(Text press, Text release, Text delay) {
    pressWords_ = std::move(press);
    releaseWords_ = std::move(release);
    delayWords_ = std::move(delay);
}

bool CImageShowList::SelectItem(int32_t row) {
    if (disabled_ || row < 0 || row >= ActionCount()) return false;
    SelectedRow = row;
    FirstRow = FirstRowShowing(row, FirstRow, VisibleRows);
    Invalidate();
    Notify(kCodeClicked);
    return true;
}

bool CImageShowList::OnNavigationKey(uint32_t vk) {
    if (vk == platform::kVkDelete) {
        if (SelectedRow < 0 || SelectedRow >= ActionCount()) return false;
        Notify(kCodeDeleteRequested);
        return true;
    }
    const int32_t to = ListKeyTarget(vk, SelectedRow, ActionCount(), VisibleRows);
    return to >= 0 && SelectItem(to);
}

bool CImageShowList::Activate() {
    if (disabled_ || SelectedRow < 0 || SelectedRow >= ActionCount()) return false;
    Notify(kCodeDoubleClick);
    return true;
}

void CImageShowList::DescribeInto(AccessibleNode& n) const {
    n.role = AccessibleRole::List;
    DescribeRows(n, ActionCount(), SelectedRow, FirstRow, VisibleRows, Scaled(kRowHeight), [this](int32_t i) {
        const MacroActionRow row = RowOf(uint32_t(i));
        const Text& words = row.icon == MacroActionRow::Icon::Press     ? pressWords_
                            : row.icon == MacroActionRow::Icon::Release ? releaseWords_
                                                                        : delayWords_;
        Text name = words;
        if (const size_t at = name.find(u"%s"); at != Text::npos) return name.replace(at, 2, row.text);
        return name + u" " + row.text;
    });
}

}  // namespace orvane::ui
