#include "ui/CImageShowList.h"

namespace orvane::ui {

CImageShowList::CImageShowList(CDlgBase* owner, const Rect& rect, KeyNameLookup keyName, bool visible, bool active,
                               bool disabled)
    : ShowListBase(owner, kId, rect, visible, active, disabled), keyName_(std::move(keyName)) {}

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

void CImageShowList::DrawRow(Painter& p, int32_t row, int32_t top, bool selected) {
    const Rect textRect{rect_.left + Scaled(17), top, rect_.right - Scaled(2), top + Scaled(kRowHeight)};
    if (selected) p.fillRect(textRect, bgr(kSelectedColor));
    const MacroActionRow action = RowOf(uint32_t(row));
    const Image& icon = action.icon == MacroActionRow::Icon::Delay     ? delay_
                        : action.icon == MacroActionRow::Icon::Release ? release_
                                                                       : press_;
    if (!icon.isNull())
        p.drawImage(icon, Rect::fromSize(rect_.left + Scaled(2), top + Scaled(3), Scaled(iconWidth_), Scaled(iconHeight_)),
                    platform::Interpolation::Smooth);
    p.drawText(action.text, textRect, font_, bgr(kTextColor),
               platform::kTextLeft | platform::kTextSingleLine | platform::kTextVCenter | platform::kTextWordEllipsis);
}

// ---- Readers ----

void CImageShowList::SetReaderWords(Text press, Text release, Text delay) {
    pressWords_ = std::move(press);
    releaseWords_ = std::move(release);
    delayWords_ = std::move(delay);
}

Text CImageShowList::RowName(int32_t row) const {
    const MacroActionRow action = RowOf(uint32_t(row));
    const Text& words = action.icon == MacroActionRow::Icon::Press     ? pressWords_
                        : action.icon == MacroActionRow::Icon::Release ? releaseWords_
                                                                       : delayWords_;
    Text name = words;
    if (const size_t at = name.find(u"%s"); at != Text::npos) return name.replace(at, 2, action.text);
    return name + u" " + action.text;
}

}  // namespace orvane::ui
