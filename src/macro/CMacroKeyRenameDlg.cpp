#include "macro/CMacroKeyRenameDlg.h"

namespace orvane::macro {

namespace {
Text nameOf(const MacroLibrary& library, uint32_t setIndex, uint32_t keyIndex) {
    const MacroSet* set = library.FindSet(setIndex);
    const MacroKey* key = set ? set->FindKey(keyIndex) : nullptr;
    return key ? key->GetName() : Text{};
}
}  // namespace

CMacroKeyRenameDlg::CMacroKeyRenameDlg(platform::Platform& platform, ui::CDlgBase* parent,
                                       const LanguageTable& language, MacroLibrary& library, uint32_t setIndex,
                                       uint32_t keyIndex)
    : CMacroKeyNameDlg(platform, parent, language, library, setIndex, kTextTitle,
                       nameOf(library, setIndex, keyIndex)),
      keyIndex_(keyIndex),
      startName_(nameOf(library, setIndex, keyIndex)) {}

void CMacroKeyRenameDlg::Apply(MacroSet& set, const Text& name) {
    if (MacroKey* key = set.FindKey(keyIndex_)) key->SetName(name);
}

}  // namespace orvane::macro
