#include "autoprofile/ProgramMatch.h"

#include "profile/ProfilePrograms.h"

namespace orvane::autoprofile {
namespace {

std::u16string_view FileName(std::u16string_view path) {
    const size_t slash = path.rfind(u'/');
    return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

bool SameName(std::u16string_view entry, std::u16string_view known) {
    return !known.empty() && EqualIgnoringAsciiCase(entry, known);
}

}  // namespace

bool EntryMatches(std::u16string_view entry, const platform::ProgramIdentity& focused) {
    if (entry.empty()) return false;
    if (entry.find(u'/') != std::u16string_view::npos) return entry == focused.executable;
    return SameName(entry, FileName(focused.executable)) || SameName(entry, focused.name) ||
           SameName(entry, focused.windowClass);
}

}  // namespace orvane::autoprofile
