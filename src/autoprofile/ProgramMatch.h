#pragma once
// Whether a profile's program entry names the program that owns the focused window.
#include <string_view>

#include "platform/FocusWatcher.h"

namespace orvane::autoprofile {

// An entry holding a '/' is a path: it matches only that executable, exactly (two installs of
// one program can then follow different profiles). Any other entry matches the executable's file
// name, the name the desktop gives the program or its window class, ignoring ASCII case, so that
// "Steam", "steam" and a class "steam" all work as a user would type them. An empty entry or an
// empty identity matches nothing.
[[nodiscard]] bool EntryMatches(std::u16string_view entry, const platform::ProgramIdentity& focused);

}  // namespace orvane::autoprofile
