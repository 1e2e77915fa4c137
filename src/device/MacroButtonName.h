#pragma once
// Which macro a macro button plays. The button keeps the macro by name only: its KeyName is the
// macro prefix of the language in use when it was assigned, followed by the macro's name. The
// language may have changed since, so the prefix of every language we know is tried, and a name
// written in a language whose file is gone still finds its macro by the name's end.
#include "profile/LanguageTable.h"
#include "profile/MacroSet.h"
#include "profile/Profile.h"

namespace orvane {

// Index of the macro in `set` that the button's name names; -1 when none.
int findButtonMacro(const Text& keyName, const MacroSet& set, const LanguageTable& language);

// A macro button that was turned into a disabled button because its macro is no longer in the
// first set of the macro library.
struct DisabledMacroButton {
    int button = 0;  // 0-5
    Text name;       // the button's name before, which names the missing macro
    bool operator==(const DisabledMacroButton&) const = default;
};

}  // namespace orvane
