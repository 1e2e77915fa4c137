#pragma once
// One option of a radio group: drawn selected while its bit is set in RadioGroupState; a click
// selects it there (clearing the group's other options) before the owner hears.
#include "ui/CButtonBase.h"
#include "ui/RadioGroupState.h"

namespace orvane::ui {

class CRadioButton : public CButtonBase {
public:
    // The option is the application's one for this Id (RadioGroupState::optionFor); a button
    // with an unknown Id selects nothing.
    CRadioButton(CDlgBase* owner, uint32_t id, const Rect& rect, Text text = {}, bool visible = true,
                 bool active = true, bool disabled = false);
    CRadioButton(CDlgBase* owner, uint32_t id, const Rect& rect, RadioOption option, bool visible = true,
                 bool active = true, bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;

    bool Selected() const;
    int Frame() const { return Selected() ? 2 : state_; }

    // The arrows select the next or previous option of the group (in reading order, wrapping
    // round) as a click would, and take the focus there.
    bool OnNavigationKey(uint32_t vk) override;
    uint32_t FocusGroup() const override { return option_ ? option_->groupMask : 0; }
    bool EntersFocusGroup() const override { return Selected(); }

protected:
    void OnClick() override;
    void DescribeInto(AccessibleNode& n) const override;

private:
    std::optional<RadioOption> option_;
};

}  // namespace orvane::ui
