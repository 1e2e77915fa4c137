#include "macro/CMacroKeyAddDlg.h"

namespace orvane::macro {

CMacroKeyAddDlg::CMacroKeyAddDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                                 MacroLibrary& library, uint32_t setIndex)
    : CMacroKeyNameDlg(platform, parent, language, library, setIndex, kTextTitle, Text{}) {}

}  // namespace orvane::macro
