#pragma once
// The programs a profile follows: when one of them owns the focused window, the profile becomes
// current. They live in the profile's GameFile0-2 entries, which files have always carried, so a
// file without programs is simply one whose entries are empty.
#include <string_view>
#include <vector>

#include "base/Result.h"
#include "base/Text.h"
#include "profile/NameRules.h"
#include "profile/Profile.h"

namespace orvane {

inline constexpr int kProgramSlotCount = 3;

// The non-empty entries in slot order (a file may leave a gap; it reads as if closed up).
[[nodiscard]] std::vector<Text> ProfilePrograms(const Profile& profile);

enum class ProgramListProblem {
    None,
    BadName,    // the name rules refuse it (see CheckProgramName)
    Full,       // three programs already
    Duplicate,  // the profile already names that program
    Absent,     // removing a program the profile does not name
};

struct ProgramListChange {
    ProgramListProblem problem = ProgramListProblem::None;
    NameCheck name;  // why a BadName was refused
    [[nodiscard]] bool ok() const { return problem == ProgramListProblem::None; }
    // For messages, e.g. "profile 2 already follows \"steam\"".
    [[nodiscard]] std::string Describe(const Text& program) const;
};

// Replaces the list: at most three, each passing the name rules, no two naming the same program.
// On a refusal the profile is unchanged.
[[nodiscard]] ProgramListChange SetProfilePrograms(Profile& profile, const std::vector<Text>& programs);
[[nodiscard]] ProgramListChange AddProfileProgram(Profile& profile, const Text& program);
// Removes the entry naming the same program (SameProgramEntry), the others keep their order.
[[nodiscard]] ProgramListChange RemoveProfileProgram(Profile& profile, const Text& program);

// Whether two entries name the same program: a path (holding '/') only as the same path, a name
// or class regardless of ASCII case, as the focus rules compare them.
[[nodiscard]] bool SameProgramEntry(std::u16string_view a, std::u16string_view b);
// ASCII letters compared without case. Executable names and window classes are ASCII in practice,
// and folding beyond that would depend on the locale.
[[nodiscard]] bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

}  // namespace orvane
