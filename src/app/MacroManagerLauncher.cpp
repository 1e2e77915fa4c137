#include "app/MacroManagerLauncher.h"

#include <memory>

#include "app/ConfigSync.h"
#include "macro/CMacroManagerDlg.h"
#include "profile/ConfigMerge.h"

namespace orvane {

void RunMacroManager(ui::CDlgBase& owner, AppData& app, ConfigSync& files, int startMode, int32_t& rememberedKey) {
    // What the manager last saved (or opened with): whatever the window's library holds beyond
    // it came from another program since, and is merged in rather than overwritten.
    auto base = std::make_shared<MacroLibrary>(app.library);
    auto save = [&app, &files, base](MacroLibrary& library, bool& merged) -> Status {
        app.library = app.library == *base ? library : MergeLibrary(*base, library, app.library);
        // A folder busy with another writer keeps the save and retries it shortly.
        if (!files.WriteLibrary() && !files.WritesKept()) return makeError(0, "the library file was not written");
        merged = !(app.library == library);
        if (merged) library = app.library;
        *base = app.library;
        return {};
    };
    macro::CMacroManagerDlg dlg(owner.GetPlatform(), &owner, app, startMode, save, &rememberedKey);
    (void)dlg.DoModal();
    // The window reads the file again next: a save still waiting for the folder goes first.
    if (files.WritesKept()) files.Flush(ConfigSync::kLoadWaitMs);
}

}  // namespace orvane
