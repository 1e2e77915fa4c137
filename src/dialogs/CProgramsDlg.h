#pragma once
// Chooses the up to three programs whose focused windows select a profile. Each slot is typed or
// filled by a click on a running program (into the marked slot, chosen by clicking its number);
// the cross beside a slot clears it. OK takes the names once each follows the name rules; the
// close button and Cancel keep the old ones. Where the desktop tells no one which window has
// focus, the dialog says so, and the names can still be typed. From the keyboard Tab visits the
// fields, their crosses, the list and the buttons; outside the fields 1, 2 and 3 mark a slot,
// and readers hear the marked slot as the list's value.
#include <array>
#include <optional>

#include "dialogs/CFramedDlg.h"
#include "platform/FocusWatcher.h"

namespace orvane::ui {
class CEditControl;
}

namespace orvane::dialogs {

class CProgramList;

using ProgramSlots = std::array<Text, 3>;

class CProgramsDlg : public CFramedDlg {
public:
    static constexpr int32_t kHeight = 226;
    static constexpr uint32_t kIdTitle = 2130;
    static constexpr uint32_t kIdCancelButton = 2131;
    static constexpr uint32_t kIdSlotField = 2140;   // + slot
    static constexpr uint32_t kIdSlotNumber = 2144;  // + slot
    static constexpr uint32_t kIdSlotClear = 2148;   // + slot
    static constexpr uint32_t kIdListCaption = 2152;
    static constexpr uint32_t kIdList = 2153;
    static constexpr uint32_t kIdUnavailable = 2154;

    // Language table entries of the dialog (the menu entry that opens it is kMenuEntry).
    static constexpr int kMenuEntry = 380;

    // watcher may be null: no list, and the note that switching is unavailable.
    CProgramsDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language, ProgramSlots current,
                 platform::FocusWatcher* watcher);

    // Runs the dialog: the new names, or nothing when it was cancelled. Slots keep their place;
    // a cleared slot is empty.
    static std::optional<ProgramSlots> Choose(platform::Platform& platform, ui::CDlgBase* parent,
                                              const LanguageTable& language, const ProgramSlots& current,
                                              platform::FocusWatcher* watcher);

    bool OnInitDialog() override;
    bool OnKeyDown(uint32_t vk) override;
    void OnCancel() override { Close(ui::kIdCancel); }
    void OnLButtonDown(uint32_t flags, Point pt) override;
    void OnMouseWheel(uint32_t flags, int32_t delta, Point pt) override;

    // After an OK: the names.
    const ProgramSlots& Result() const { return result_; }
    ui::CEditControl* SlotField(int slot) const { return fields_[size_t(slot)]; }
    CProgramList* List() const { return list_; }
    int MarkedSlot() const { return marked_; }
    void MarkSlot(int slot);

protected:
    void CreateControls(const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void DrawWindow(Painter& p, const Rect& client) override;

private:
    void Confirm();
    void FillMarkedSlot(const Text& name);

    ProgramSlots initial_;
    ProgramSlots result_;
    platform::FocusWatcher* watcher_;
    std::array<ui::CEditControl*, 3> fields_{};
    CProgramList* list_ = nullptr;
    int marked_ = 0;
};

}  // namespace orvane::dialogs
