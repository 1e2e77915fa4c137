#include "profile/ProfilePrograms.h"

#include <algorithm>

namespace orvane {
namespace {

ProfilePair Slot(int i) { return ProfilePair(int(ProfilePair::GameFile0) + i); }

bool IsPath(std::u16string_view entry) { return entry.find(u'/') != std::u16string_view::npos; }

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

}  // namespace

bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

bool SameProgramEntry(std::u16string_view a, std::u16string_view b) {
    if (IsPath(a) || IsPath(b)) return a == b;
    return EqualIgnoringAsciiCase(a, b);
}

std::vector<Text> ProfilePrograms(const Profile& profile) {
    std::vector<Text> out;
    for (int i = 0; i < kProgramSlotCount; ++i)
        if (const Text& v = profile.GetPairValue(Slot(i)); !v.empty()) out.push_back(v);
    return out;
}

std::string ProgramListChange::Describe(const Text& program) const {
    const std::string quoted = "\"" + toUtf8(program) + "\"";
    switch (problem) {
        case ProgramListProblem::None: return quoted + " is fine";
        case ProgramListProblem::BadName: return name.Describe("program name");
        case ProgramListProblem::Full:
            return "a profile follows at most " + std::to_string(kProgramSlotCount) + " programs; remove one first";
        case ProgramListProblem::Duplicate: return "the profile already follows " + quoted;
        case ProgramListProblem::Absent: return "the profile does not follow " + quoted;
    }
    return quoted + " is not allowed";
}

ProgramListChange SetProfilePrograms(Profile& profile, const std::vector<Text>& programs) {
    if (programs.size() > size_t(kProgramSlotCount)) return {ProgramListProblem::Full, {}};
    for (size_t i = 0; i < programs.size(); ++i) {
        if (NameCheck check = CheckProgramName(programs[i]); !check) return {ProgramListProblem::BadName, check};
        for (size_t j = 0; j < i; ++j)
            if (SameProgramEntry(programs[i], programs[j])) return {ProgramListProblem::Duplicate, {}};
    }
    for (int i = 0; i < kProgramSlotCount; ++i)
        profile.SetPairValue(Slot(i), size_t(i) < programs.size() ? programs[size_t(i)] : Text());
    return {};
}

ProgramListChange AddProfileProgram(Profile& profile, const Text& program) {
    std::vector<Text> list = ProfilePrograms(profile);
    // The name first: a refused name is refused whether or not there is room for it.
    if (NameCheck check = CheckProgramName(program); !check) return {ProgramListProblem::BadName, check};
    for (const Text& entry : list)
        if (SameProgramEntry(entry, program)) return {ProgramListProblem::Duplicate, {}};
    list.push_back(program);
    return SetProfilePrograms(profile, list);
}

ProgramListChange RemoveProfileProgram(Profile& profile, const Text& program) {
    std::vector<Text> list = ProfilePrograms(profile);
    const auto at = std::find_if(list.begin(), list.end(), [&](const Text& e) { return SameProgramEntry(e, program); });
    if (at == list.end()) return {ProgramListProblem::Absent, {}};
    list.erase(at);
    // What a file held may not pass today's rules; the entries left are written back as they were.
    for (int i = 0; i < kProgramSlotCount; ++i)
        profile.SetPairValue(Slot(i), size_t(i) < list.size() ? list[size_t(i)] : Text());
    return {};
}

}  // namespace orvane
