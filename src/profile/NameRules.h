#pragma once
// The rules for names a person gives: profile names and macro names. Every place that sets one
// (dialogs, orvanectl, import) checks it here first, so that no name reaches a file that the
// file's own reader would refuse or misread.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

enum class NameProblem {
    None,
    Empty,
    TooLong,           // more UTF-16 code units than the kind of name allows
    LineBreak,         // a line feed, carriage return or Unicode line/paragraph separator
    ControlCharacter,  // tabs and other invisible control characters
    BrokenText,        // an unpaired surrogate: not text, and lost on the way to UTF-8
};

// Lengths in UTF-16 code units. Macro names follow the macro dialogs' rule (1 to 24); profile
// names are bounded so that a name can never outgrow what the profile bar and its dialogs show.
inline constexpr size_t kMacroNameMaxLength = 24;
inline constexpr size_t kProfileNameMaxLength = 64;
// A program a profile follows is named by its file name (or window class): at most what a file
// name on Linux can be.
inline constexpr size_t kProgramNameMaxLength = 255;

struct NameCheck {
    NameProblem problem = NameProblem::None;
    size_t maxLength = 0;

    [[nodiscard]] bool ok() const { return problem == NameProblem::None; }
    explicit operator bool() const { return ok(); }
    // For messages: `what` ("profile name") followed by what is wrong with it, e.g.
    // "the macro name is longer than 24 characters".
    [[nodiscard]] std::string Describe(std::string_view what) const;
};

[[nodiscard]] NameCheck CheckProfileName(std::u16string_view name);
[[nodiscard]] NameCheck CheckMacroName(std::u16string_view name);
[[nodiscard]] NameCheck CheckProgramName(std::u16string_view name);
// For a profile file being imported: the rules above, except that an empty name is accepted (a
// default profile has one when the language file lacks its entry, and it reads back as written).
[[nodiscard]] NameCheck CheckImportedProfileName(std::u16string_view name);

// What every line-based file needs of a text it stores: no line feed (and not empty unless the
// line allows an empty value). The file writers check this before they write.
[[nodiscard]] NameCheck CheckFileText(std::u16string_view text, bool mayBeEmpty);

}  // namespace orvane
