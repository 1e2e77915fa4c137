#pragma once
// The AllAction value shared by the profile and macro library files: all 336 slots, each as
// four two-digit hex bytes, byte 0 first, with no separators.
#include <string_view>

#include "base/Text.h"
#include "profile/MacroKey.h"

namespace orvane {

inline constexpr size_t kAllActionLength = MacroKey::kSlotCount * 8;

void AppendAllActions(Text& out, const MacroKey& key);
// Fills every slot from a text of kAllActionLength characters (callers check the length).
void ParseAllActions(std::u16string_view hex, MacroKey& key);

}  // namespace orvane
