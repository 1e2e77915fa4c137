#pragma once
// The macro manager's list of the actions of one MacroKey, each row an icon (press, release or
// delay) and a text. It reads the MacroKey on every paint and keeps no copy. Enter and Space
// edit the selected action (a double click).
#include "profile/MacroKey.h"
#include "ui/MacroActionText.h"
#include "ui/ShowListBase.h"

namespace orvane::ui {

class CImageShowList : public ShowListBase {
public:
    static constexpr uint32_t kId = 2020;

    CImageShowList(CDlgBase* owner, const Rect& rect, KeyNameLookup keyName, bool visible = true,
                   bool active = true, bool disabled = false);

    void ReleaseImages() override;
    // What readers say for the icons, each with "%s" for the row's text ("Press %s").
    void SetReaderWords(Text press, Text release, Text delay);

    void LoadIcons(const Text& release, const Text& press, const Text& delay);
    void SetIcons(const Image& release, const Image& press, const Image& delay);

    const MacroKey* ShownKey = nullptr;

    // The row's icon and text as drawn.
    MacroActionRow RowOf(uint32_t actionIndex) const;

protected:
    int32_t RowCount() const override { return ShownKey ? int32_t(ShownKey->UsableActionCount()) : 0; }
    void DrawRow(Painter& p, int32_t row, int32_t top, bool selected) override;
    Text RowName(int32_t row) const override;

private:
    void RememberIconSize(const Image& img);

    KeyNameLookup keyName_;
    Image release_;
    Image press_;
    Image delay_;
    int32_t iconWidth_ = 0;
    int32_t iconHeight_ = 0;
    Text pressWords_{u"%s"};
    Text releaseWords_{u"%s"};
    Text delayWords_{u"%s"};
};

}  // namespace orvane::ui
