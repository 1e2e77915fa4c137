#pragma once
// The frame of the small modal dialogs that build or name something for the main window: 429 x
// 140 design pixels on the common frame picture, with a close button at the top right. While one
// runs it is in the popup window table, so it closes with the application, and it takes the
// keyboard as it opens.
#include <memory>

#include "dialogs/DialogLayout.h"
#include "dialogs/PopupWindowTable.h"
#include "profile/LanguageTable.h"
#include "ui/CDlgBase.h"

namespace orvane::dialogs {

class CFramedDlg : public ui::CDlgBase {
public:
    static constexpr int32_t kWidth = 429;
    static constexpr int32_t kHeight = 140;
    // The name screen readers give the close cross.
    static constexpr int kTextCloseName = 406;

    ~CFramedDlg() override;
    bool OnInitDialog() override;

protected:
    CFramedDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language);

    void DrawWindow(Painter& p, const Rect& client) override;
    // Leaves the popup window table and ends the modal run.
    void Close(intptr_t result);
    // The close button, and a push button captioned with a Language table entry, at design
    // coordinates.
    void AddCloseButton();
    void AddPushButton(uint32_t id, const Rect& design, int entry);

    const LanguageTable& language_;

private:
    std::unique_ptr<PopupWindowEntry> entry_;
};

}  // namespace orvane::dialogs
