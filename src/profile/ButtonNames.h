#pragma once
// The name a button's function is shown with. A fixed function (a mouse button, a DPI function, a
// media, office or window key, the fire key) is named by the language in use, whatever language
// named it when it was stored; what the user typed or named (a shortcut, a macro) is shown as
// stored. Only the shown name follows the language: the stored name and the function's bytes
// stay as they are.
#include <array>
#include <cstdint>
#include <span>

#include "base/Text.h"
#include "profile/LanguageTable.h"
#include "profile/Profile.h"

namespace orvane {

// The entries whose wording in every language file loading collects, so that a stored name can
// be recognised whichever language stored it.
std::span<const int> StoredNameEntries();

Text ShownButtonName(const KeyAssignment& key, const LanguageTable& language);

}  // namespace orvane
