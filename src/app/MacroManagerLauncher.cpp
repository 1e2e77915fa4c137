#include "app/MacroManagerLauncher.h"

#include "macro/CMacroManagerDlg.h"

namespace orvane {

void RunMacroManager(ui::CDlgBase& owner, AppData& app, int startMode) {
    macro::CMacroManagerDlg dlg(owner.GetPlatform(), &owner, app, startMode);
    (void)dlg.DoModal();
}

}  // namespace orvane
