#pragma once
// The small modal dialogs that build or name something for the main window, on the common frame
// (CPlainFramedDlg). While one runs it is in the popup window table, so it closes with the
// application, and it takes the keyboard as it opens.
#include <memory>

#include "dialogs/CPlainFramedDlg.h"
#include "dialogs/PopupWindowTable.h"

namespace orvane::dialogs {

class CFramedDlg : public CPlainFramedDlg {
public:
    ~CFramedDlg() override;
    bool OnInitDialog() override;

protected:
    CFramedDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language);

    // Leaves the popup window table and ends the modal run.
    void Close(intptr_t result);

private:
    std::unique_ptr<PopupWindowEntry> entry_;
};

}  // namespace orvane::dialogs
