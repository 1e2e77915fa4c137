#pragma once
// Reading numbers and checking names typed into the macro editor's fields.
#include <cstdint>
#include <string_view>

#include "base/Text.h"
#include "profile/MacroSet.h"

namespace orvane::macro {

// The number the text starts with (leading decimal digits; none reads as 0), saturating at
// 2^32 - 1 so that a long row of digits reads as "very large", never as a small number.
uint32_t leadingNumber(std::u16string_view text);

// Whether c is a typed character the digit fields refuse (a warning, then it lands anyway).
bool isNonDigitCharacter(char16_t c);

// Language entries of the name rules.
inline constexpr int kTextNameTooLong = 240;
inline constexpr int kTextNameTaken = 241;
inline constexpr int kTextNameEmpty = 242;
inline constexpr int kTextNameUnusable = 320;  // line breaks and other invisible characters

// The language entry of the first rule a macro name breaks in set, or 0 when it passes: the
// application's name rules (not empty, at most 24 code units, nothing a file line cannot hold),
// then not the name of another macro of the set (case-sensitive). ownName is the name the macro
// had (renaming), which it may keep; null when adding.
int macroNameProblem(const MacroSet& set, const Text& name, const Text* ownName);

}  // namespace orvane::macro
