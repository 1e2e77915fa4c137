// CMacroManagerDlg: the library file: saved after every change of structure and on close,
// exported and imported whole.
#include "dialogs/CAttentionDlg.h"
#include "macro/CMacroManagerDlg.h"
#include "macro/MacroManagerIds.h"
#include "profile/MacroLibraryFile.h"
#include "profile/Storage.h"
#include "ui/CEditShowList.h"
#include "ui/CImageShowList.h"

namespace orvane::macro {

using namespace mgr;

// ---- The library file ----

bool CMacroManagerDlg::SaveLibrary() {
    bool merged = false;
    Status written = saver_ ? saver_(library_, merged) : SaveLibraryFile(app_, library_);
    if (merged) {
        // Another program's change came in: the library is a new one, found again by position.
        selected_ = nullptr;
        actionList_->ShownKey = nullptr;
        Synchronise();
        Invalidate();
    }
    if (written) return true;
    ShowAttention(language_.LanguageText(kTextSaveFailed) + u"\n" + fromUtf8(written.error().message()));
    return false;
}

void CMacroManagerDlg::Close() {
    if (Recording()) return;
    if (loop_) loop_->TakeTyped();
    if (!SaveLibrary() && !unsavedCloseWarned_) {
        // Closing now would lose every change: the user may export the library instead, or
        // close again to give the changes up.
        unsavedCloseWarned_ = true;
        return;
    }
    if (rememberedKey_) *rememberedKey_ = keyList_ ? keyList_->SelectedRow : -1;
    ReleaseAllImages();
    EndDialog(ui::kIdCancel);
}

namespace {
platform::FileChooserOptions LibraryChooserOptions(const Text& title) {
    platform::FileChooserOptions o;
    o.title = title;
    o.filters = {platform::FileFilter{u"mlf file(*.mlf)", u"*.mlf"}};
    o.defaultSuffix = u"mlf";
    o.initialName = u".mlf";
    return o;
}
}  // namespace

void CMacroManagerDlg::Export() {
    auto path = GetPlatform().fileChooser().saveFile(GetWindow(), LibraryChooserOptions(language_.LanguageText(kTextExportTitle)));
    if (!path) return;
    if (Status written = ExportLibraryFile(library_, *path); !written)
        ShowAttention(language_.LanguageText(kTextExportFailed) + u"\n" + fromUtf8(written.error().message()));
}

void CMacroManagerDlg::Import() {
    auto path =
        GetPlatform().fileChooser().openFile(GetWindow(), LibraryChooserOptions(language_.LanguageText(kTextImportTitle)));
    if (!path) return;
    // Read into a library of its own first: a bad file leaves the one in the window untouched.
    MacroLibrary imported;
    Status read = ReadLibraryFile(imported, *path);
    // A library with names the dialogs would refuse, or that could not be written back, is
    // refused as a whole, too.
    if (read) read = CheckImportedLibrary(imported);
    if (!read) {
        ShowAttention(language_.LanguageText(kTextImportFailed) + u"\n" + fromUtf8(read.error().message()));
        return;
    }
    actionList_->ShownKey = nullptr;
    selected_ = nullptr;
    library_ = std::move(imported);
    const MacroSet* set = ShownSet();
    keyList_->FirstRow = 0;
    keyList_->SelectedRow = set && set->KeyCount() > 0 ? 0 : -1;
    InvalidateRect(keyList_->GetRect());
    Synchronise();
    SelectKey();
    (void)SaveLibrary();
}

}  // namespace orvane::macro
