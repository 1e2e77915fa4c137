#pragma once
// The macro manager's list of the actions of one MacroKey, each row an icon (press, release or
// delay) and a text. It reads the MacroKey on every paint and keeps no copy. From the keyboard
// the list keys move the selection (told to the owner as a click), Enter and Space edit the
// selected action (a double click) and Delete asks the owner to delete it.
#include "profile/MacroKey.h"
#include "ui/CControlBase.h"
#include "ui/MacroActionText.h"
#include "ui/PointerState.h"

namespace orvane::ui {

class CImageShowList : public CControlBase {
public:
    static constexpr uint32_t kId = 2020;
    static constexpr int32_t kRowHeight = 20;  // design pixels

    CImageShowList(CDlgBase* owner, const Rect& rect, KeyNameLookup keyName, bool visible = true,
                   bool active = true, bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;
    bool OnMouseMove(uint32_t flags, Point pt) override;
    bool OnLButtonDown(uint32_t flags, Point pt) override;
    bool OnLButtonUp(uint32_t flags, Point pt) override;
    bool OnLButtonDblClk(uint32_t flags, Point pt) override;
    void ReleaseImages() override;
    bool Activate() override;
    bool OnNavigationKey(uint32_t vk) override;
    bool SelectItem(int32_t row) override;
    // What readers say for the icons, each with "%s" for the row's text ("Press %s").
    void SetReaderWords(Text press, Text release, Text delay);

    void LoadIcons(const Text& release, const Text& press, const Text& delay);
    void SetIcons(const Image& release, const Image& press, const Image& delay);

    const MacroKey* ShownKey = nullptr;
    int32_t SelectedRow = -1;
    int32_t VisibleRows = 0;
    int32_t FirstRow = 0;

    int PointerStateValue() const { return pointer_.get(); }
    // The row's icon and text as drawn.
    MacroActionRow RowOf(uint32_t actionIndex) const;

protected:
    void DescribeInto(AccessibleNode& n) const override;
    bool TakesFocus() const override { return true; }

private:
    int32_t ActionCount() const { return ShownKey ? int32_t(ShownKey->UsableActionCount()) : 0; }
    int32_t RowAt(int32_t y) const { return (y - rect_.top) / Scaled(kRowHeight); }
    void RememberIconSize(const Image& img);

    KeyNameLookup keyName_;
    Image release_;
    Image press_;
    Image delay_;
    int32_t iconWidth_ = 0;
    int32_t iconHeight_ = 0;
    PointerState pointer_;
    Text pressWords_{u"%s"};
    Text releaseWords_{u"%s"};
    Text delayWords_{u"%s"};
};

}  // namespace orvane::ui
