#pragma once
// Three-way merges of what two programs changed since they last agreed on the files: for each
// part (a setting, a DPI level, a button, a macro, ...) the side that changed it wins; where both
// changed the same part, ours (the program doing the merge) wins. Parts that only make sense
// together (a polling rate's name and value, the profile bar's count and order) move together.
#include "profile/MacroLibrary.h"
#include "profile/Profile.h"
#include "profile/Settings.h"

namespace orvane {

Profile MergeProfile(const Profile& base, const Profile& ours, const Profile& theirs);
Settings MergeSettings(const Settings& base, const Settings& ours, const Settings& theirs);
// Sets and their macros are matched by name.
MacroLibrary MergeLibrary(const MacroLibrary& base, const MacroLibrary& ours, const MacroLibrary& theirs);

}  // namespace orvane
